// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/WeatherCodes.h"

#include <gtest/gtest.h>

using namespace weather_codes;

TEST(WeatherCodesTest, PhrasesLabelsAndSymbols)
{
    EXPECT_EQ(weatherDescription(0), QStringLiteral("clear sky"));
    EXPECT_EQ(weatherDescription(99), QStringLiteral("thunderstorm with heavy hail"));
    EXPECT_EQ(weatherDescription(4), QStringLiteral("weather code 4"));
    EXPECT_EQ(weatherDescription(-1), QStringLiteral("weather code -1"));
    EXPECT_EQ(weatherDescription(100), QStringLiteral("weather code 100"));

    const CardLabel unknown = cardLabel(4, true);
    EXPECT_EQ(unknown.label, QStringLiteral("—"));
    EXPECT_EQ(unknown.symbol, QStringLiteral("cloud.fill"));
    const CardLabel clearNight = cardLabel(0, false);
    EXPECT_EQ(clearNight.label, QStringLiteral("Sunny"));
    EXPECT_EQ(clearNight.symbol, QStringLiteral("moon.stars.fill"));
    EXPECT_EQ(cardLabel(80, false).symbol, QStringLiteral("cloud.moon.rain.fill"));
    EXPECT_EQ(cardLabel(81, true).symbol, QStringLiteral("cloud.sun.rain.fill"));
    EXPECT_EQ(cardLabel(75, false).symbol, QStringLiteral("snowflake"));
    EXPECT_EQ(cardLabel(96, true).label, QStringLiteral("T-Storms + Hail"));

    EXPECT_EQ(headlineLabel(0, false), QStringLiteral("CLEAR"));
    EXPECT_EQ(headlineLabel(0, true), QStringLiteral("SUNNY"));
    EXPECT_EQ(headlineLabel(1, true), QStringLiteral("MAINLY SUNNY"));
    EXPECT_EQ(headlineLabel(1, false), QStringLiteral("MAINLY CLEAR"));
    EXPECT_EQ(headlineLabel(2, false), QStringLiteral("PARTLY CLOUDY"));
    EXPECT_EQ(headlineLabel(99, true), QStringLiteral("T-STORMS + HAIL"));
    EXPECT_EQ(headlineLabel(61, true), QStringLiteral("LT. RAIN"));
    EXPECT_EQ(headlineLabel(4, true), QStringLiteral("—"));
}

TEST(WeatherCodesTest, ComfortAndCompass)
{
    EXPECT_EQ(comfortWord(false, 10), QStringLiteral("Pleasant"));
    EXPECT_EQ(comfortWord(false, 9.9), QStringLiteral("Dry"));
    EXPECT_EQ(comfortWord(true, 75), QStringLiteral("Miserable"));
    EXPECT_EQ(comfortWord(true, 74.9), QStringLiteral("Oppressive"));
    EXPECT_EQ(comfortWord(true, 60), QStringLiteral("Sticky"));

    EXPECT_EQ(compassPoint(337.5), QStringLiteral("N"));
    EXPECT_EQ(compassPoint(-45), QStringLiteral("NW"));
    EXPECT_EQ(compassPoint(360), QStringLiteral("N"));
    EXPECT_EQ(compassPoint(22.5), QStringLiteral("NE"));
    EXPECT_EQ(compassPoint(22.4), QStringLiteral("N"));
    EXPECT_EQ(compassPoint(-22.5), QStringLiteral("NW"));
    EXPECT_EQ(compassPoint(1e300), compassPoint(1e300)); // total, no crash
}

TEST(WeatherCodesTest, HourAndDayLabels)
{
    EXPECT_EQ(hourLabel(QStringLiteral("2025-06-01T00:00")), QStringLiteral("12A"));
    EXPECT_EQ(hourLabel(QStringLiteral("2025-06-01T12:30")), QStringLiteral("12P"));
    EXPECT_EQ(hourLabel(QStringLiteral("2025-06-01T09:00")), QStringLiteral("9A"));
    EXPECT_EQ(hourLabel(QStringLiteral("2025-06-01T13:00")), QStringLiteral("1P"));
    EXPECT_EQ(hourLabel(QStringLiteral("23:15")), QStringLiteral("11P"));
    EXPECT_EQ(hourLabel(QStringLiteral("2025-06-01Tnoon")), QStringLiteral("—"));
    EXPECT_EQ(hourLabel(QString()), QStringLiteral("—"));

    EXPECT_EQ(dayLabel(QStringLiteral("whatever"), 0), QStringLiteral("TODAY"));
    EXPECT_EQ(dayLabel(QStringLiteral("2025-06-02"), 1).size(), 3); // MON in English
    EXPECT_EQ(dayLabel(QStringLiteral("2025-13-02"), 2), QStringLiteral("—"));
    EXPECT_EQ(dayLabel(QStringLiteral(""), 2), QStringLiteral("—"));
}
