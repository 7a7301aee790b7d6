// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The AI service and every service behind it, all pointed at one local server. By default the
// server answers like the services do for a place outside the United States on a dry day: a
// forecast, no air quality, no alerts, no forecast office; the outlook is never asked for.

#include "ai/AiService.h"
#include "ai/MessagesClient.h"
#include "net/AppError.h"
#include "net/Clock.h"
#include "platform/MinuteForecastSource.h"
#include "sources/NwsService.h"
#include "sources/SpcService.h"
#include "weather/ForecastService.h"
#include "weather/NowcastService.h"

#include "Await.h"
#include "FakeServer.h"
#include "TestKeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

namespace ai_test {

using test_support::await;

inline const QString kMessagesPath = QStringLiteral("/v1/messages");
inline const QString &kKey = test_keys::kAnthropicKey;

// 2026-07-14T12:00:00Z, a Tuesday.
inline QDateTime noon()
{
    return QDateTime(QDate(2026, 7, 14), QTime(12, 0), Qt::UTC);
}

inline SavedLocation london()
{
    return SavedLocation { QStringLiteral("London"), QStringLiteral("England"), QStringLiteral("United Kingdom"),
        51.5072, -0.1276, QStringLiteral("Europe/London") };
}

inline FakeServer::Response textReply(const QString &text, const QString &stopReason = QStringLiteral("end_turn"))
{
    const QJsonObject block { { QStringLiteral("type"), QStringLiteral("text") }, { QStringLiteral("text"), text } };
    return FakeServer::json(QJsonDocument(
        QJsonObject { { QStringLiteral("content"), QJsonArray { block } },
            { QStringLiteral("stop_reason"),
                stopReason } }).toJson());
}

inline FakeServer::Response errorReply(int status, const QString &message)
{
    const QJsonObject error { { QStringLiteral("message"), message } };
    return FakeServer::json(QJsonDocument(QJsonObject { { QStringLiteral("error"), error } }).toJson(), status);
}

inline QJsonObject bodyOf(const FakeServer::Request &request)
{
    return QJsonDocument::fromJson(request.body).object();
}

// The text of the last message a request sent.
inline QString lastContent(const FakeServer::Request &request)
{
    return bodyOf(request)[QLatin1StringView("messages")].toArray().last()[QLatin1StringView("content")].toString();
}

// The description of what the call throws, or "no error".
template <typename Call>
QString failureOf(Call call)
{
    try {
        (void)call();
    } catch (const AppError &e) {
        return e.description();
    }
    return QStringLiteral("no error");
}

inline MessagesClient::Timing fastRetries()
{
    return MessagesClient::Timing { .firstRetryWait = std::chrono::milliseconds(10) };
}

struct AiWorld
{
    AiWorld() { setForecast(FakeServer::fromFile(QStringLiteral("forecast_text/minimal_main.json"))); }

    // The forecast text's request and the minute forecast share a path; the minute forecast
    // alone asks for past 15-minute steps.
    void setForecast(const FakeServer::Response &forecast,
        const FakeServer::Response &minutely = FakeServer::json(R"({"minutely_15":{"time":[],"precipitation":[]}})"))
    {
        server.routeHandler(QStringLiteral("/v1/forecast"), [forecast, minutely](const FakeServer::Request &r) {
            return r.queryKeys().contains(QStringLiteral("past_minutely_15")) ? minutely : forecast;
        });
    }

    // What the forecast text block alone renders for a place (the services are tested elsewhere).
    QString forecastText(const SavedLocation &place, bool fahrenheit = true, bool mph = true)
    {
        return await(forecasts.forecastSummary(place.latitude, place.longitude, place.timezone, fahrenheit, mph));
    }

    FakeServer server;
    QNetworkAccessManager network;
    Endpoints endpoints = server.endpoints();
    FixedClock clock { noon() };
    ForecastService forecasts { network, endpoints };
    NwsService nws { network, endpoints, clock };
    SpcService spc { network, endpoints, clock };
    MinuteForecastSource minutes { network, endpoints, clock };
    NowcastService nowcast { minutes, clock };
    MessagesClient client { endpoints.anthropic, fastRetries() };
    AiService ai { client, AiService::Sources { forecasts, nws, spc, nowcast }, clock };
};

} // namespace ai_test
