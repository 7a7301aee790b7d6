// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/AppError.h"
#include "weather/ForecastService.h"

#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

QJsonObject fixture(const char *name)
{
    return QJsonDocument::fromJson(testData(QString::fromLatin1(name))).object();
}

Forecast parse(
    const QJsonObject &reply, const std::optional<QJsonObject> &uv = std::nullopt, bool f = true, bool mph = true)
{
    return ForecastService::parseForecast(reply, uv, f, mph, QStringLiteral("America/Chicago"));
}

QJsonObject withHourlyTimes(QJsonObject reply, const QStringList &times)
{
    QJsonObject hourly = reply.value(QStringLiteral("hourly")).toObject();
    hourly.insert(QStringLiteral("time"), QJsonArray::fromStringList(times));
    reply.insert(QStringLiteral("hourly"), hourly);
    return reply;
}

} // namespace

TEST(ParseForecast, RealReplyWithNullsInsideTheLists)
{
    // Melbourne, in GMT: the current conditions carry only "is_day"; the hourly cloud cover has
    // nulls mid-list; the daily series has no apparent temperatures and starts today.
    const Forecast f = ForecastService::parseForecast(fixture("openmeteo_forecast_melbourne_gmt_midarray_nulls.json"),
        std::nullopt, false, false, QStringLiteral("Australia/Melbourne"));
    EXPECT_EQ(f.current.time, QStringLiteral("2025-10-25T11:30"));
    EXPECT_FALSE(f.current.isDay);
    EXPECT_EQ(f.current.temperature, 0.0);
    EXPECT_EQ(f.timezone, QStringLiteral("GMT")); // the reply's zone wins
    EXPECT_EQ(f.temperatureUnit, QStringLiteral("°C"));
    EXPECT_EQ(f.windSpeedUnit, QStringLiteral("km/h"));

    ASSERT_EQ(f.hourly.size(), 48);
    EXPECT_EQ(f.hourly.front().time, QStringLiteral("2025-10-25T12:00")); // the next full hour
    EXPECT_EQ(f.hourly.back().time, QStringLiteral("2025-10-27T11:00"));

    EXPECT_FALSE(f.yesterday.has_value());
    ASSERT_EQ(f.daily.size(), 7);
    for (const DailyWeather &d : f.daily) {
        SCOPED_TRACE(d.date.toStdString());
        EXPECT_EQ(d.apparentMax, d.tempMax);
        EXPECT_EQ(d.apparentMin, d.tempMin);
        EXPECT_FALSE(d.sunrise.isEmpty());
    }
    for (const HourlyWeather &h : f.hourly) {
        EXPECT_FALSE(h.dewPoint.has_value()); // not requested in that reply
        EXPECT_GE(h.cloudCover, 0.0); // nulls read as 0
    }
}

TEST(ParseForecast, SplitsYesterdayOffAndKeepsTheNext48Hours)
{
    const QJsonObject reply = fixture("openmeteo_forecast_synthetic_chicago_7day.json");
    const Forecast f = parse(reply);
    ASSERT_TRUE(f.yesterday.has_value());
    EXPECT_EQ(f.yesterday->date, QStringLiteral("2026-07-13"));
    ASSERT_EQ(f.daily.size(), 7);
    EXPECT_EQ(f.daily.front().date, QStringLiteral("2026-07-14"));
    // The last day's apparent temperatures and UV are null: fallbacks and zero.
    EXPECT_EQ(f.daily.back().apparentMax, 90.3);
    EXPECT_EQ(f.daily.back().apparentMin, 72.2);
    EXPECT_EQ(f.daily.back().uvIndexMax, 0.0);
    EXPECT_EQ(f.daily.front().weatherCode, 61);

    ASSERT_EQ(f.hourly.size(), 48);
    EXPECT_EQ(f.hourly.front().time, QStringLiteral("2026-07-14T11:00"));
    EXPECT_TRUE(f.hourly.front().dewPoint.has_value());
    EXPECT_EQ(f.current.temperature, 82.4);
    EXPECT_EQ(f.current.weatherCode, 2);
    EXPECT_TRUE(f.current.isDay);
    EXPECT_EQ(f.current.windDirection, 225.0);
    // UV of the current hour comes from the hourly series at the current hour.
    const QJsonArray uv = reply[QStringLiteral("hourly")][QStringLiteral("uv_index")].toArray();
    EXPECT_EQ(f.current.uvIndex, uv.at(24 + 11).toDouble());
}

TEST(ParseForecast, DaySplitEdges)
{
    QJsonObject reply = fixture("openmeteo_forecast_synthetic_chicago_7day.json");
    QJsonObject current = reply[QStringLiteral("current")].toObject();

    // Every day earlier than today: no yesterday, all days kept.
    current.insert(QStringLiteral("time"), QStringLiteral("2026-08-01T09:00"));
    reply.insert(QStringLiteral("current"), current);
    Forecast f = parse(reply);
    EXPECT_FALSE(f.yesterday.has_value());
    EXPECT_EQ(f.daily.size(), 8);
    // Every hour earlier than now: index 0, 48 hours from the start.
    ASSERT_EQ(f.hourly.size(), 48);
    EXPECT_EQ(f.hourly.front().time, QStringLiteral("2026-07-13T00:00"));

    // The first day is today: no yesterday.
    current.insert(QStringLiteral("time"), QStringLiteral("2026-07-13T09:00"));
    reply.insert(QStringLiteral("current"), current);
    f = parse(reply);
    EXPECT_FALSE(f.yesterday.has_value());
    EXPECT_EQ(f.daily.size(), 8);

    // 30 hourly entries with the current hour at index 10 give 20 entries.
    QStringList times;
    for (int h = 0; h < 30; ++h) {
        times.append(QStringLiteral("2026-07-%1T%2:00").arg(13 + h / 24).arg(h % 24, 2, 10, QLatin1Char('0')));
    }
    current.insert(QStringLiteral("time"), QStringLiteral("2026-07-13T09:15"));
    reply.insert(QStringLiteral("current"), current);
    f = parse(withHourlyTimes(reply, times));
    ASSERT_EQ(f.hourly.size(), 20);
    EXPECT_EQ(f.hourly.front().time, QStringLiteral("2026-07-13T10:00"));

    // Missing current time: empty text, every hour qualifies, today is "".
    current.remove(QStringLiteral("time"));
    reply.insert(QStringLiteral("current"), current);
    f = parse(reply);
    EXPECT_EQ(f.current.time, QString());
    EXPECT_EQ(f.hourly.front().time, QStringLiteral("2026-07-13T00:00"));
}

TEST(ParseForecast, HourlyFallbacksAndLooseTypes)
{
    QJsonObject reply = fixture("openmeteo_forecast_synthetic_chicago_7day.json");
    QJsonObject hourly = reply[QStringLiteral("hourly")].toObject();
    QJsonArray apparent = hourly[QStringLiteral("apparent_temperature")].toArray();
    apparent.replace(35, QJsonValue()); // the first kept hour
    hourly.insert(QStringLiteral("apparent_temperature"), apparent);
    QJsonArray isDay = hourly[QStringLiteral("is_day")].toArray();
    isDay.replace(36, 1.0);
    isDay.replace(37, 2);
    hourly.insert(QStringLiteral("is_day"), isDay);
    QJsonArray codes = hourly[QStringLiteral("weather_code")].toArray();
    codes.replace(35, 80.9);
    codes.replace(36, QStringLiteral("95"));
    hourly.insert(QStringLiteral("weather_code"), codes);
    hourly.insert(QStringLiteral("wind_gusts_10m"), QJsonArray { 1, 2 }); // too short
    reply.insert(QStringLiteral("hourly"), hourly);

    const Forecast f = parse(reply);
    EXPECT_EQ(f.hourly[0].apparentTemperature, f.hourly[0].temperature);
    EXPECT_EQ(f.hourly[0].weatherCode, 80);
    EXPECT_EQ(f.hourly[1].weatherCode, 0);
    EXPECT_TRUE(f.hourly[1].isDay);
    EXPECT_FALSE(f.hourly[2].isDay);
    EXPECT_EQ(f.hourly[0].windGusts, 0.0);
}

TEST(ParseForecast, MissingOrMistypedSectionsAreAnUnexpectedResponse)
{
    const QJsonObject good = fixture("openmeteo_forecast_synthetic_chicago_7day.json");
    const auto message = [](const QJsonObject &reply) {
        try {
            (void)parse(reply);
        } catch (const HttpError &e) {
            return e.description();
        }
        return QStringLiteral("parsed");
    };
    for (const char *section : { "current", "daily", "hourly" }) {
        SCOPED_TRACE(section);
        QJsonObject missing = good;
        missing.remove(QLatin1StringView(section));
        EXPECT_EQ(message(missing), QStringLiteral("Unexpected response from server."));
        QJsonObject asList = good;
        asList.insert(QLatin1StringView(section), QJsonArray { 1, 2 });
        EXPECT_EQ(message(asList), QStringLiteral("Unexpected response from server."));
    }
    // The real hourly-only reply has neither current nor daily.
    EXPECT_EQ(message(fixture("openmeteo_forecast_reunion_meteofrance_hourly_nulls.json")),
        QStringLiteral("Unexpected response from server."));
    // Empty sections are fine: an empty forecast.
    const Forecast empty = parse(QJsonObject { { QStringLiteral("current"), QJsonObject() },
        { QStringLiteral("daily"), QJsonObject() }, { QStringLiteral("hourly"), QJsonObject() } });
    EXPECT_TRUE(empty.daily.isEmpty());
    EXPECT_TRUE(empty.hourly.isEmpty());
    EXPECT_EQ(empty.timezone, QStringLiteral("America/Chicago"));
}
