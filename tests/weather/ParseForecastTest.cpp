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

QJsonObject withCurrentTime(QJsonObject reply, const std::optional<QString> &time)
{
    QJsonObject current = reply.value(QStringLiteral("current")).toObject();
    if (time) {
        current.insert(QStringLiteral("time"), *time);
    } else {
        current.remove(QStringLiteral("time"));
    }
    reply.insert(QStringLiteral("current"), current);
    return reply;
}

} // namespace

TEST(ParseForecast, RealReplyWithNullsInsideTheLists)
{
    // Melbourne, in GMT: the current conditions carry only "is_day"; the hourly cloud cover has
    // nulls mid-list; the daily series has no apparent temperatures and starts today.
    const Forecast f = ForecastService::parseForecast(fixture("openmeteo_forecast_melbourne_gmt_midarray_nulls.json"),
        std::nullopt, false, false, QStringLiteral("Australia/Melbourne"));
    EXPECT_EQ(f.current.temperature, 0.0);
    EXPECT_EQ(f.timezone, QStringLiteral("GMT")); // the reply's zone wins
    ASSERT_EQ(f.hourly.size(), 48);
    EXPECT_EQ(f.hourly.front().time, QStringLiteral("2025-10-25T12:00")); // the next full hour after 11:30
    ASSERT_EQ(f.daily.size(), 7);
    EXPECT_EQ(f.daily[3].apparentMax, f.daily[3].tempMax);
    for (const HourlyWeather &h : f.hourly) {
        EXPECT_FALSE(h.dewPoint.has_value()); // not requested in that reply
        EXPECT_GE(h.cloudCover, 0.0); // nulls read as 0
    }
}

TEST(ParseForecast, SplitsYesterdayOffAndKeepsUpTo48HoursFromNow)
{
    // Days 13 to 20 July, hours from 13 July 00:00 to 20 July 23:00.
    const QJsonObject reply = fixture("openmeteo_forecast_synthetic_chicago_7day.json");
    const struct
    {
        std::optional<QString> now;
        const char *yesterday; // empty: none
        qsizetype days;
        qsizetype hours;
        const char *firstHour;
    } rows[] = {
        { QStringLiteral("2026-07-14T10:15"), "2026-07-13", 7, 48, "2026-07-14T11:00" },
        { QStringLiteral("2026-07-20T09:15"), "2026-07-19", 1, 14, "2026-07-20T10:00" }, // fewer hours left
        { QStringLiteral("2026-07-20T09:00"), "2026-07-19", 1, 15, "2026-07-20T09:00" }, // on the hour: that hour
        { QStringLiteral("2026-07-13T09:00"), "", 8, 48, "2026-07-13T09:00" }, // the first day is today
        { QStringLiteral("2026-08-01T09:00"), "", 8, 48, "2026-07-13T00:00" }, // everything earlier: all kept
        { std::nullopt, "", 8, 48, "2026-07-13T00:00" }, // no current time: every hour qualifies
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.now.value_or(QStringLiteral("no time")).toStdString());
        const Forecast f = parse(withCurrentTime(reply, row.now));
        EXPECT_EQ(f.yesterday ? f.yesterday->date : QString(), QString::fromLatin1(row.yesterday));
        EXPECT_EQ(f.daily.size(), row.days);
        ASSERT_EQ(f.hourly.size(), row.hours);
        EXPECT_EQ(f.hourly.front().time, QString::fromLatin1(row.firstHour));
    }
    // The last day's apparent temperatures and UV are null: fallbacks and zero.
    const Forecast f = parse(reply);
    EXPECT_EQ(f.daily.back().apparentMax, 90.3);
    EXPECT_EQ(f.daily.back().uvIndexMax, 0.0);
    EXPECT_EQ(f.current.windDirection, 225.0);
}

TEST(ParseForecast, HourlyFallbacksAndLooseTypes)
{
    QJsonObject reply = fixture("openmeteo_forecast_synthetic_chicago_7day.json");
    QJsonObject hourly = reply[QStringLiteral("hourly")].toObject();
    const auto replace = [&](const char *key, qsizetype index, const QJsonValue &value) {
        QJsonArray list = hourly[QLatin1StringView(key)].toArray();
        list.replace(index, value);
        hourly.insert(QLatin1StringView(key), list);
    };
    replace("apparent_temperature", 35, QJsonValue()); // the first kept hour
    replace("is_day", 36, 1.0);
    replace("is_day", 37, 2);
    replace("weather_code", 35, 80.9);
    replace("weather_code", 36, QStringLiteral("95"));
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
    const QString unexpected = QStringLiteral("Unexpected response from server.");
    for (const char *section : { "current", "daily", "hourly" }) {
        SCOPED_TRACE(section);
        QJsonObject reply = good;
        reply.remove(QLatin1StringView(section));
        EXPECT_EQ(message(reply), unexpected);
        reply.insert(QLatin1StringView(section), QJsonArray { 1, 2 });
        EXPECT_EQ(message(reply), unexpected);
    }
    // The real hourly-only reply has neither current nor daily.
    EXPECT_EQ(message(fixture("openmeteo_forecast_reunion_meteofrance_hourly_nulls.json")), unexpected);
    // Empty sections are fine: an empty forecast.
    const Forecast empty = parse(QJsonObject { { QStringLiteral("current"), QJsonObject() },
        { QStringLiteral("daily"), QJsonObject() }, { QStringLiteral("hourly"), QJsonObject() } });
    EXPECT_TRUE(empty.daily.isEmpty());
    EXPECT_TRUE(empty.hourly.isEmpty());
}
