// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/WeatherCodes.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace weather_codes;

TEST(WeatherCodesTest, PhrasesLabelsAndSymbols)
{
    for (const auto &[code, isDay, description, card, symbol, headline] :
        { std::tuple { 0, false, "clear sky", "Sunny", "moon.stars.fill", "CLEAR" },
            { 1, false, "mainly clear", "M. Clear", "moon.fill", "MAINLY CLEAR" },
            { 2, true, "partly cloudy", "P. Cloudy", "cloud.sun.fill", "PARTLY CLOUDY" },
            { 61, true, "slight rain", "Lt. Rain", "cloud.rain.fill", "LT. RAIN" },
            { 75, true, "heavy snow", "Hvy. Snow", "snowflake", "HVY. SNOW" },
            { 80, false, "slight rain showers", "Showers", "cloud.moon.rain.fill", "SHOWERS" },
            { 99, true, "thunderstorm with heavy hail", "T-Storms + Hail", "cloud.bolt.rain.fill", "T-STORMS + HAIL" },
            { 4, true, "weather code 4", "—", "cloud.fill", "—" } }) { // unknown codes
        SCOPED_TRACE(code);
        EXPECT_EQ(weatherDescription(code), QString::fromUtf8(description));
        EXPECT_EQ(cardLabel(code, isDay).label, QString::fromUtf8(card));
        EXPECT_EQ(cardLabel(code, isDay).symbol, QString::fromUtf8(symbol));
        EXPECT_EQ(headlineLabel(code, isDay), QString::fromUtf8(headline));
    }
    EXPECT_EQ(weatherDescription(-1), QStringLiteral("weather code -1"));
    EXPECT_EQ(headlineLabel(0, true), QStringLiteral("SUNNY"));
    EXPECT_EQ(headlineLabel(1, true), QStringLiteral("MAINLY SUNNY"));
}

TEST(WeatherCodesTest, ComfortAndCompass)
{
    for (const auto &[fahrenheit, dewPoint, word] : { std::tuple { false, 10.0, "Pleasant" }, { false, 9.9, "Dry" },
             { true, 75.0, "Miserable" }, { true, 74.9, "Oppressive" }, { true, 60.0, "Sticky" } }) {
        EXPECT_EQ(comfortWord(fahrenheit, dewPoint), QString::fromLatin1(word)) << dewPoint;
    }
    for (const auto &[degrees, point] :
        { std::pair { 337.5, "N" }, { 360.0, "N" }, { 22.4, "N" }, { 22.5, "NE" }, { -22.5, "NW" }, { -45.0, "NW" } }) {
        EXPECT_EQ(compassPoint(degrees), QString::fromLatin1(point)) << degrees;
    }
    EXPECT_EQ(compassPoint(1e300), compassPoint(1e300)); // total, no crash
}

TEST(WeatherCodesTest, HourAndDayLabels)
{
    for (const auto &[time, label] : { std::pair { "2025-06-01T00:00", "12A" }, { "2025-06-01T12:30", "12P" },
             { "2025-06-01T13:00", "1P" }, { "23:15", "11P" }, { "2025-06-01Tnoon", "—" }, { "", "—" } }) {
        EXPECT_EQ(hourLabel(QString::fromLatin1(time)), QString::fromUtf8(label)) << time;
    }
    EXPECT_EQ(dayLabel(QStringLiteral("whatever"), 0), QStringLiteral("TODAY"));
    EXPECT_EQ(dayLabel(QStringLiteral("2025-06-02"), 1).size(), 3); // MON in English
    EXPECT_EQ(dayLabel(QStringLiteral("2025-13-02"), 2), QStringLiteral("—"));
}
