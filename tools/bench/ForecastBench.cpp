// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing a 7-day forecast reply with one past day: 192 hourly entries, 8 days.
#include "net/JsonReaders.h"
#include "weather/ForecastService.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {

QByteArray reply()
{
    QFile file(QStringLiteral(MERRIN_TEST_DATA_DIR "/openmeteo_forecast_synthetic_chicago_7day.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("missing benchmark data");
    }
    return file.readAll();
}

void BM_ParseForecast(benchmark::State &state)
{
    const QJsonObject object = json::parseObject(reply());
    for (auto _ : state) {
        Forecast f =
            ForecastService::parseForecast(object, std::nullopt, true, true, QStringLiteral("America/Chicago"));
        benchmark::DoNotOptimize(f);
    }
}
BENCHMARK(BM_ParseForecast)->Unit(benchmark::kMicrosecond);

void BM_ParseForecastFromBytes(benchmark::State &state)
{
    const QByteArray bytes = reply();
    for (auto _ : state) {
        Forecast f = ForecastService::parseForecast(
            json::parseObject(bytes), std::nullopt, true, true, QStringLiteral("America/Chicago"));
        benchmark::DoNotOptimize(f);
    }
}
BENCHMARK(BM_ParseForecastFromBytes)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
