// SPDX-License-Identifier: GPL-3.0-or-later
// The forecast text block for a 7-day reply with 168 hourly entries (48 rendered) and a fallback
// reply, and the climate normals from a ten-year archive reply; both with JSON parsing included.
#include "weather/ClimateNormalsService.h"
#include "weather/ForecastText.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

QJsonArray series(int count, double base, double amplitude, int nullEvery = 0)
{
    QJsonArray list;
    for (int i = 0; i < count; ++i) {
        if (nullEvery > 0 && i % nullEvery == 0) {
            list.append(QJsonValue(QJsonValue::Null));
        } else {
            list.append(std::round((base + amplitude * std::sin(i / 3.7)) * 10) / 10);
        }
    }
    return list;
}

QJsonObject forecastReply(bool fallback)
{
    QJsonArray hours;
    QJsonArray days;
    QJsonArray sunrises;
    QJsonArray sunsets;
    for (int d = 0; d < 7; ++d) {
        const QString date = QDate(2026, 7, 14).addDays(d).toString(Qt::ISODate);
        days.append(date);
        sunrises.append(date + QStringLiteral("T05:31"));
        sunsets.append(date + QStringLiteral("T20:24"));
        for (int h = 0; h < 24; ++h) {
            hours.append(date + QStringLiteral("T%1:00").arg(h, 2, 10, QLatin1Char('0')));
        }
    }
    const int n = static_cast<int>(hours.size());
    QJsonObject hourly { { QStringLiteral("time"), hours } };
    for (const char *key :
        { "temperature_2m", "relative_humidity_2m", "dew_point_2m", "apparent_temperature", "precipitation_probability",
            "precipitation", "weather_code", "cloud_cover", "wind_speed_10m", "wind_gusts_10m", "wind_direction_10m",
            "uv_index", "is_day", "visibility", "cape", "snow_depth", "sunshine_duration" }) {
        hourly.insert(QLatin1StringView(key), series(n, 40, 30, fallback ? 0 : 5));
    }
    QJsonObject daily { { QStringLiteral("time"), days }, { QStringLiteral("sunrise"), sunrises },
        { QStringLiteral("sunset"), sunsets } };
    for (const char *key : { "weather_code", "temperature_2m_max", "temperature_2m_min", "apparent_temperature_max",
             "apparent_temperature_min", "precipitation_probability_max", "precipitation_sum", "precipitation_hours",
             "wind_speed_10m_max", "wind_gusts_10m_max", "uv_index_max", "daylight_duration",
             "wind_direction_10m_dominant", "rain_sum", "snowfall_sum", "dew_point_2m_mean", "dew_point_2m_max",
             "relative_humidity_2m_mean", "cloud_cover_mean" }) {
        daily.insert(QLatin1StringView(key), series(7, 50, 20, fallback ? 0 : 3));
    }
    QJsonArray quarters;
    for (int q = 0; q < 12; ++q) {
        quarters.append(QStringLiteral("2026-07-14T%1:%2").arg(10 + q / 4).arg((q % 4) * 15, 2, 10, QLatin1Char('0')));
    }
    const QJsonObject current { { QStringLiteral("time"), QStringLiteral("2026-07-14T10:45") },
        { QStringLiteral("temperature_2m"), 84.2 }, { QStringLiteral("weather_code"), 2 },
        { QStringLiteral("is_day"), 1 }, { QStringLiteral("pressure_msl"), 1012.4 } };
    return QJsonObject { { QStringLiteral("timezone"), QStringLiteral("America/Chicago") },
        { QStringLiteral("current"), current }, { QStringLiteral("daily"), daily },
        { QStringLiteral("hourly"), hourly },
        { QStringLiteral("minutely_15"),
            QJsonObject { { QStringLiteral("time"), quarters },
                { QStringLiteral("precipitation"), series(12, 0.2, 0.3) },
                { QStringLiteral("weather_code"), series(12, 61, 0) } } } };
}

QByteArray bytes(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

void BM_ForecastTextBlock(benchmark::State &state)
{
    const QByteArray main = bytes(forecastReply(false));
    const QByteArray fallback = bytes(forecastReply(true));
    const QByteArray air = R"({"current":{"us_aqi":42,"pm2_5":8.1,"pm10":12.5,"ozone":61}})";
    qsizetype length = 0;
    for (auto _ : state) {
        const QString text =
            forecast_text::render(QJsonDocument::fromJson(main).object(), QJsonDocument::fromJson(fallback).object(),
                QJsonDocument::fromJson(air).object(), { QStringLiteral("America/Chicago"), true, true });
        length = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.counters["chars"] = static_cast<double>(length);
}
BENCHMARK(BM_ForecastTextBlock)->Unit(benchmark::kMillisecond);

void BM_ClimateNormalsTenYears(benchmark::State &state)
{
    QJsonArray times;
    QJsonArray highs;
    QJsonArray lows;
    int i = 0;
    for (QDate day(2016, 1, 1); day <= QDate(2025, 12, 31); day = day.addDays(1), ++i) {
        times.append(day.toString(Qt::ISODate));
        const double seasonal = 12 - 14 * std::cos((day.dayOfYear() - 15) / 365.25 * 2 * M_PI);
        highs.append(i % 97 == 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(std::round((seasonal + 5) * 10) / 10));
        lows.append(std::round((seasonal - 5) * 10) / 10);
    }
    const QByteArray body = bytes(QJsonObject { { QStringLiteral("daily"),
        QJsonObject { { QStringLiteral("time"), times }, { QStringLiteral("temperature_2m_max"), highs },
            { QStringLiteral("temperature_2m_min"), lows } } } });
    for (auto _ : state) {
        auto smoothed = ClimateNormalsService::smoothArchive(body);
        benchmark::DoNotOptimize(smoothed);
    }
    state.counters["days"] = static_cast<double>(times.size());
    state.counters["bytes"] = static_cast<double>(body.size());
}
BENCHMARK(BM_ClimateNormalsTenYears)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
