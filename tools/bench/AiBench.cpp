// SPDX-License-Identifier: GPL-3.0-or-later
// Building the forecast-data block against local servers that delay every reply by 100 ms, one
// server per service host as in production. The fetches run concurrently, so the wall time
// should follow the longest chain of dependent requests, not the sum of all of them:
//   abroad:     forecast text, then local coverage                    2 x 100 ms (7 requests)
//   in the US:  forecast office, then bulletin list, then bulletin    3 x 100 ms (15 requests)
#include "ai/AiService.h"
#include "ai/MessagesClient.h"
#include "net/Clock.h"
#include "net/Endpoints.h"
#include "platform/MinuteForecastSource.h"
#include "sources/NwsService.h"
#include "sources/SpcService.h"
#include "weather/ForecastService.h"
#include "weather/NowcastService.h"

#include "Await.h"
#include "FakeServer.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>

#include <benchmark/benchmark.h>

namespace {

constexpr std::chrono::milliseconds kDelay { 100 };

FakeServer::Response delayed(FakeServer::Response response)
{
    response.delay = kDelay;
    return response;
}

struct Servers
{
    FakeServer forecast, air, nws, spc, anthropic;

    Servers()
    {
        const auto main = delayed(FakeServer::fromFile(QStringLiteral("forecast_text/minimal_main.json")));
        const auto minutes = delayed(FakeServer::json(R"({"minutely_15":{"time":[],"precipitation":[]}})"));
        forecast.routeHandler(QStringLiteral("/v1/forecast"), [main, minutes](const FakeServer::Request &r) {
            return r.queryKeys().contains(QStringLiteral("past_minutely_15")) ? minutes : main;
        });
        air.route(QStringLiteral("/v1/air-quality"), delayed(FakeServer::json(R"({"current":{"us_aqi":40}})")));
        nws.route(QStringLiteral("/alerts/active"), delayed(FakeServer::json(R"({"features":[]})")));
        nws.route(QStringLiteral("/points/51.5072,-0.1276"), delayed(FakeServer::json("{}", 404)));
        nws.route(
            QStringLiteral("/points/32.4000,-108.6100"), delayed(FakeServer::json(R"({"properties":{"cwa":"ABQ"}})")));
        for (const QString type : { QStringLiteral("AFD"), QStringLiteral("HWO") }) {
            nws.route(QStringLiteral("/products/types/%1/locations/ABQ").arg(type),
                delayed(FakeServer::json(QStringLiteral(R"({"@graph":[{"id":"%1-1"}]})").arg(type).toUtf8())));
            nws.route(QStringLiteral("/products/%1-1").arg(type),
                delayed(FakeServer::json(
                    QStringLiteral(R"({"productText":"%1 text","issuanceTime":"t"})").arg(type).toUtf8())));
        }
        for (int day = 1; day <= 3; ++day) {
            spc.route(QStringLiteral("/products/outlook/day%1otlk_cat.lyr.geojson").arg(day),
                delayed(FakeServer::json(R"({"features":[]})")));
        }
        anthropic.route(QStringLiteral("/v1/messages"),
            delayed(FakeServer::json(R"({"content":[{"type":"text","text":"Flooding closed the A12."}]})")));
    }

    Endpoints endpoints() const
    {
        Endpoints e;
        e.openMeteoForecast = forecast.baseUrl();
        e.openMeteoAirQuality = air.baseUrl();
        e.nws = nws.baseUrl();
        e.spc = spc.baseUrl();
        e.anthropic = anthropic.baseUrl();
        return e;
    }

    int requestCount() const
    {
        return static_cast<int>(forecast.requests().size() + air.requests().size() + nws.requests().size()
            + spc.requests().size() + anthropic.requests().size());
    }
};

SavedLocation place(bool unitedStates)
{
    SavedLocation p;
    p.name = unitedStates ? QStringLiteral("Lordsburg") : QStringLiteral("London");
    p.latitude = unitedStates ? 32.4 : 51.5072;
    p.longitude = unitedStates ? -108.61 : -0.1276;
    p.timezone = unitedStates ? QStringLiteral("America/Denver") : QStringLiteral("Europe/London");
    return p;
}

void BM_ForecastData(benchmark::State &state)
{
    const bool unitedStates = state.range(0) != 0;
    Servers servers;
    const Endpoints endpoints = servers.endpoints();
    QNetworkAccessManager network;
    FixedClock clock(QDateTime(QDate(2026, 7, 14), QTime(12, 0), Qt::UTC));
    int requests = 0;
    for (auto _ : state) {
        // Fresh services each round: every cache starts empty.
        ForecastService forecasts(network, endpoints);
        NwsService nws(network, endpoints, clock);
        SpcService spc(network, endpoints, clock);
        MinuteForecastSource minutes(network, endpoints, clock);
        NowcastService nowcast(minutes, clock);
        MessagesClient client(endpoints.anthropic);
        AiService ai(client, AiService::Sources { forecasts, nws, spc, nowcast }, clock);
        const int before = servers.requestCount();
        const QString block = test_support::await(
            ai.forecastData(place(unitedStates), true, true, QStringLiteral("key"), true), std::chrono::seconds(30));
        requests = servers.requestCount() - before;
        benchmark::DoNotOptimize(block);
    }
    state.counters["requests"] = requests;
    state.counters["sum_of_delays_ms"] = requests * static_cast<double>(kDelay.count());
}
BENCHMARK(BM_ForecastData)->ArgName("us")->Arg(0)->Arg(1)->Iterations(10)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
