// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a national convective outlook and testing a place against it, and reading a large
// alert feed. The outlook is generated: six categories, each a MultiPolygon of four parts whose
// outer rings have 6000 wiggly vertices and two holes of 1000 each, about 5 MB of GeoJSON.
#include "net/JsonReaders.h"
#include "sources/NwsService.h"
#include "sources/SpcService.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

QJsonArray wigglyRing(double cx, double cy, double radius, int vertices)
{
    QJsonArray ring;
    for (int i = 0; i < vertices; ++i) {
        const double a = 2 * M_PI * i / vertices;
        const double r = radius * (1 + 0.08 * std::sin(37 * a) + 0.03 * std::cos(101 * a));
        // Six decimals, as the published files write them.
        ring.append(QJsonArray {
            std::round((cx + r * std::cos(a)) * 1e6) / 1e6, std::round((cy + r * std::sin(a)) * 1e6) / 1e6 });
    }
    ring.append(ring.first());
    return ring;
}

QByteArray generatedOutlook()
{
    static const QStringList codes { QStringLiteral("TSTM"), QStringLiteral("MRGL"), QStringLiteral("SLGT"),
        QStringLiteral("ENH"), QStringLiteral("MDT"), QStringLiteral("HIGH") };
    QJsonArray features;
    for (int c = 0; c < codes.size(); ++c) {
        const double radius = 9.0 - 1.4 * c; // nested categories, highest innermost
        QJsonArray polygons;
        for (int part = 0; part < 4; ++part) {
            const double cx = -112 + part * 12.0;
            const double cy = 37;
            QJsonArray rings { wigglyRing(cx, cy, radius / 2, 6000) };
            rings.append(wigglyRing(cx + radius / 5, cy, radius / 12, 1000));
            rings.append(wigglyRing(cx - radius / 5, cy, radius / 12, 1000));
            polygons.append(rings);
        }
        features.append(QJsonObject {
            { QStringLiteral("type"), QStringLiteral("Feature") },
            { QStringLiteral("geometry"),
                QJsonObject { { QStringLiteral("type"), QStringLiteral("MultiPolygon") },
                    { QStringLiteral("coordinates"), polygons } } },
            { QStringLiteral("properties"),
                QJsonObject { { QStringLiteral("DN"), c + 2 }, { QStringLiteral("LABEL"), codes[c] },
                    { QStringLiteral("LABEL2"), codes[c] + QStringLiteral(" Risk") },
                    { QStringLiteral("VALID_ISO"), QStringLiteral("2026-09-25T16:30:00+00:00") },
                    { QStringLiteral("FORECASTER"), QStringLiteral("Leitman/Chalmers") } } },
        });
    }
    return QJsonDocument(QJsonObject { { QStringLiteral("type"), QStringLiteral("FeatureCollection") },
                             { QStringLiteral("features"), features } })
        .toJson(QJsonDocument::Compact);
}

const QByteArray &outlookBytes()
{
    static const QByteArray bytes = generatedOutlook();
    return bytes;
}

void BM_OutlookParseAndTest(benchmark::State &state)
{
    const QByteArray &bytes = outlookBytes();
    for (auto _ : state) {
        const QList<SpcOutlookArea> areas = SpcOutlookArea::parseOutlook(bytes);
        std::optional<SpcOutlookDay> day = SpcService::dayAt(areas, 1, 37.0, -112.0);
        benchmark::DoNotOptimize(day);
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_OutlookParseAndTest)->Unit(benchmark::kMillisecond);

// The share of the above that is QJsonDocument's own parse.
void BM_OutlookJsonOnly(benchmark::State &state)
{
    const QByteArray &bytes = outlookBytes();
    for (auto _ : state) {
        QJsonValue value = json::parse(bytes);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_OutlookJsonOnly)->Unit(benchmark::kMillisecond);

void BM_OutlookPointTestOnly(benchmark::State &state)
{
    const QList<SpcOutlookArea> areas = SpcOutlookArea::parseOutlook(outlookBytes());
    for (auto _ : state) {
        std::optional<SpcOutlookDay> day = SpcService::dayAt(areas, 1, 37.0, -100.0);
        benchmark::DoNotOptimize(day);
    }
}
BENCHMARK(BM_OutlookPointTestOnly)->Unit(benchmark::kMicrosecond);

void BM_AlertFeedParse(benchmark::State &state)
{
    QJsonArray features;
    const QString description = QStringLiteral("Heavy rain may cause flooding of low-lying areas. ").repeated(24);
    for (int i = 0; i < 1500; ++i) {
        features.append(QJsonObject { { QStringLiteral("properties"),
            QJsonObject { { QStringLiteral("id"), QString::number(i) },
                { QStringLiteral("event"), QStringLiteral("Flood Watch") },
                { QStringLiteral("status"), QStringLiteral("Actual") },
                { QStringLiteral("messageType"), QStringLiteral("Alert") },
                { QStringLiteral("severity"), i % 3 ? QStringLiteral("Minor") : QStringLiteral("Severe") },
                { QStringLiteral("description"), description } } } });
    }
    const QByteArray bytes =
        QJsonDocument(QJsonObject { { QStringLiteral("features"), features } }).toJson(QJsonDocument::Compact);
    for (auto _ : state) {
        QList<NwsAlert> alerts = NwsService::parseAlerts(json::parse(bytes).toObject());
        benchmark::DoNotOptimize(alerts);
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_AlertFeedParse)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
