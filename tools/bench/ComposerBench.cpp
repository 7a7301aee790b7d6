// SPDX-License-Identifier: GPL-3.0-or-later
// The local briefing for a 7-day, 48-hour forecast: features, candidates and selection.
#include "composer/BriefingComposer.h"
#include "composer/LocalBriefing.h"
#include "net/JsonReaders.h"
#include "weather/ForecastService.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace {

ComposerInputs inputs()
{
    QFile file(QStringLiteral(MERRIN_TEST_DATA_DIR "/openmeteo_forecast_synthetic_chicago_7day.json"));
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("missing benchmark data");
    }
    ComposerInputs in;
    in.forecast = ForecastService::parseForecast(
        json::parseObject(file.readAll()), std::nullopt, true, true, QStringLiteral("America/Chicago"));
    NwsAlert alert;
    alert.event = QStringLiteral("Heat Advisory");
    alert.severity = QStringLiteral("Moderate");
    alert.ends = QStringLiteral("2026-07-14T21:00:00-05:00");
    in.alerts = { alert };
    ClimateNormals normals;
    for (int day = 1; day <= 31; ++day) {
        normals.highs.insert(QStringLiteral("07-%1").arg(day, 2, 10, QChar(u'0')), 28.0);
    }
    in.normals = normals;
    return in;
}

void BM_FeaturesAndSelection(benchmark::State &state)
{
    const ComposerInputs in = inputs();
    if (in.forecast.hourly.size() != 48 || in.forecast.daily.size() != 7) {
        state.SkipWithError("unexpected forecast shape");
        return;
    }
    for (auto _ : state) {
        const auto features = composer::extractFeatures(in.forecast, in.alerts, in.nowcast, in.normals);
        QStringList sentences = composer::selectSentences(composer::candidates(*features));
        benchmark::DoNotOptimize(sentences);
    }
}
BENCHMARK(BM_FeaturesAndSelection)->Unit(benchmark::kMicrosecond);

void BM_FeaturesOnly(benchmark::State &state)
{
    const ComposerInputs in = inputs();
    for (auto _ : state) {
        auto features = composer::extractFeatures(in.forecast, in.alerts, in.nowcast, in.normals);
        benchmark::DoNotOptimize(features);
    }
}
BENCHMARK(BM_FeaturesOnly)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
