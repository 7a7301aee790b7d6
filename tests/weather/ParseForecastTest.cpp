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

TEST(ParseForecast, SplitsYesterdayOffAndKeepsTheNext48Hours)
{
    const QJsonObject reply = fixture("openmeteo_forecast_synthetic_chicago_7day.json");
    Forecast f = parse(reply);
    EXPECT_EQ(f.yesterday->date, QStringLiteral("2026-07-13"));
    ASSERT_EQ(f.daily.size(), 7);
    EXPECT_EQ(f.daily.front().date, QStringLiteral("2026-07-14"));
    // The last day's apparent temperatures and UV are null: fallbacks and zero.
    EXPECT_EQ(f.daily.back().apparentMax, 90.3);
    EXPECT_EQ(f.daily.back().uvIndexMax, 0.0);
    ASSERT_EQ(f.hourly.size(), 48);
    EXPECT_EQ(f.hourly.front().time, QStringLiteral("2026-07-14T11:00"));
    EXPECT_EQ(f.current.windDirection, 225.0);

    // Every day earlier than today: no yesterday, all days kept; every hour earlier than now:
    // 48 hours from the start.
    f = parse(withCurrentTime(reply, QStringLiteral("2026-08-01T09:00")));
    EXPECT_FALSE(f.yesterday.has_value());
    EXPECT_EQ(f.daily.size(), 8);
    EXPECT_EQ(f.hourly.size(), 48);
    EXPECT_EQ(f.hourly.front().time, QStringLiteral("2026-07-13T00:00"));
    // The first day is today: no yesterday.
    EXPECT_FALSE(parse(withCurrentTime(reply, QStringLiteral("2026-07-13T09:00"))).yesterday.has_value());
    // Missing current time: every hour qualifies.
    f = parse(withCurrentTime(reply, std::nullopt));
    EXPECT_EQ(f.current.time, QString());
    EXPECT_EQ(f.hourly.front().time, QStringLiteral("2026-07-13T00:00"));

    // 30 hourly entries with the current hour at index 10 give 20 entries.
    QJsonObject shortReply = withCurrentTime(reply, QStringLiteral("2026-07-13T09:15"));
    QJsonObject hourly = shortReply.value(QStringLiteral("hourly")).toObject();
    QJsonArray times;
    for (int h = 0; h < 30; ++h) {
        times.append(QStringLiteral("2026-07-%1T%2:00").arg(13 + h / 24).arg(h % 24, 2, 10, QLatin1Char('0')));
    }
    hourly.insert(QStringLiteral("time"), times);
    shortReply.insert(QStringLiteral("hourly"), hourly);
    f = parse(shortReply);
    ASSERT_EQ(f.hourly.size(), 20);
    EXPECT_EQ(f.hourly.front().time, QStringLiteral("2026-07-13T10:00"));
    // On the hour, that hour itself comes first.
    f = parse(withCurrentTime(shortReply, QStringLiteral("2026-07-13T09:00")));
    ASSERT_EQ(f.hourly.size(), 21);
    EXPECT_EQ(f.hourly.front().time, QStringLiteral("2026-07-13T09:00"));
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
