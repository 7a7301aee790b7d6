// SPDX-License-Identifier: GPL-3.0-or-later
// The Anthropic Messages replies: the client's status and body checks, and what the briefing,
// Ask and local-coverage calls read out of a reply (the text, the headline and question lines,
// the "nothing found" answer).
#include "FuzzSupport.h"

#include "ai/AiService.h"
#include "ai/MessagesClient.h"
#include "net/Clock.h"
#include "platform/MinuteForecastSource.h"
#include "sources/NwsService.h"
#include "sources/SpcService.h"
#include "weather/ForecastService.h"
#include "weather/NowcastService.h"

#include <QTimeZone>

#include <memory>

namespace {

const QString kKey = QStringLiteral("sk-ant-fuzz");

SavedLocation melbourne()
{
    SavedLocation place;
    place.name = QStringLiteral("Melbourne");
    place.country = QStringLiteral("Australia");
    place.latitude = -37.81;
    place.longitude = 144.96;
    place.timezone = QStringLiteral("Australia/Melbourne");
    return place;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    const fuzz::Input input(data, size);
    const int status = input.status();
    // The n-th request to the Messages API reads part n; the forecast services get the least
    // a forecast text block is made from, and everything else a 404.
    int messages = 0;
    auto answer = [&](const QUrl &url) {
        const QString service = fuzz::serviceOf(url);
        if (service == QLatin1String("anthropic")) {
            return fuzz::Reply { status, input.part(messages++) };
        }
        if (service.startsWith(QLatin1String("openMeteo"))) {
            return fuzz::Reply { 200, QByteArrayLiteral(R"({"current": {}, "daily": {}, "hourly": {}})") };
        }
        return fuzz::Reply { 404, QByteArray() };
    };
    const Endpoints endpoints = fuzz::endpoints();
    const FixedClock clock(QDateTime::fromSecsSinceEpoch(1786653060, QTimeZone::utc()));
    FixedClock sourcesClock(clock.now());

    fuzz::Network network(answer);
    MessagesClient client(endpoints.anthropic, std::make_unique<fuzz::Network>(answer));
    ForecastService forecasts(network, endpoints);
    NwsService nws(network, endpoints, sourcesClock);
    SpcService spc(network, endpoints, sourcesClock);
    MinuteForecastSource minutes(network, endpoints, clock);
    NowcastService nowcast(minutes, clock);
    AiService ai(client, AiService::Sources { forecasts, nws, spc, nowcast }, clock);

    switch (input.mode(5)) {
    case 0: {
        try {
            const QJsonObject reply = test_support::await(client.send(QJsonObject(), kKey));
            (void)MessagesClient::replyText(reply);
        } catch (const test_support::AwaitTimeout &) {
            fuzz::hangDetected();
        } catch (const std::exception &) { }
        break;
    }
    case 1:
        fuzz::run(ai.generateBriefing(melbourne(), kKey, false, false, true, QList<NwsAlert>()));
        break;
    case 2:
        fuzz::run(ai.answer(QStringLiteral("Will it rain tonight?"), melbourne(), kKey, {}, false, false, false));
        break;
    case 3:
        fuzz::run(ai.localCoverage(melbourne(), kKey));
        break;
    default: {
        // A reply's text as the briefing and coverage readers see it.
        QString text = input.text();
        (void)AiService::meansNothingFound(text);
        (void)AiService::extractLine(text, QStringLiteral("SUGGESTED QUESTION:"));
        (void)AiService::extractLine(text, QStringLiteral("HEADLINE:"));
        break;
    }
    }
    return 0;
}
