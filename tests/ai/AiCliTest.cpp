// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli data-block, briefing and ask, run as a separate process against a local server.
#include "AiWorld.h"
#include "CliRunner.h"
#include "FakeServer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ai_test;

namespace {

const QStringList kPlace { QStringLiteral("51.5072"), QStringLiteral("-0.1276"), QStringLiteral("Europe/London"),
    QStringLiteral("London"), QStringLiteral("--admin1"), QStringLiteral("England") };

void routeForecast(FakeServer &server)
{
    const FakeServer::Response forecast = FakeServer::fromFile(QStringLiteral("forecast_text/minimal_main.json"));
    const FakeServer::Response minutes = AiWorld::dryMinutes();
    server.routeHandler(kForecastPath, [forecast, minutes](const FakeServer::Request &r) {
        return r.queryKeys().contains(QStringLiteral("past_minutely_15")) ? minutes : forecast;
    });
}

} // namespace

TEST(AiCli, AskReadsTheKeyFromStandardInput)
{
    FakeServer server;
    routeForecast(server);
    server.route(kMessagesPath, textReply(QStringLiteral("  Dry until Friday.\n")));
    QTemporaryDir dir;
    const QString historyPath = dir.filePath(QStringLiteral("history.json"));
    QFile history(historyPath);
    ASSERT_TRUE(history.open(QIODevice::WriteOnly));
    history.write(R"([{"question":"Rain today?","answer":"No."}])");
    history.close();

    const CliResult result = runCli(server,
        QStringList { QStringLiteral("--now"), QStringLiteral("2026-07-14T12:00:00Z"), QStringLiteral("--key-stdin"),
            QStringLiteral("ask"), QStringLiteral("And tomorrow?") }
            + kPlace + QStringList { QStringLiteral("--history"), historyPath, QStringLiteral("--celsius") },
        (kKey + QStringLiteral("\n")).toUtf8());
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("Dry until Friday.\n"));

    const auto requests = server.requests(kMessagesPath);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests.first().headers.value(QStringLiteral("x-api-key")), kKey);
    const QJsonObject body = bodyOf(requests.first());
    EXPECT_TRUE(
        body[QLatin1StringView("system")].toString().contains(QStringLiteral("Celsius (°C) and wind speeds in mph")));
    const QJsonArray messages = body[QLatin1StringView("messages")].toArray();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0][QLatin1StringView("content")].toString(), QStringLiteral("Rain today?"));
    EXPECT_TRUE(messages[2][QLatin1StringView("content")].toString().startsWith(
        QStringLiteral("Location: London, England\nToday is Tuesday, July 14, 2026 (local time in Europe/London).\n")));
}

TEST(AiCli, AskFailuresGoToStandardErrorWithoutTheKey)
{
    FakeServer server;
    routeForecast(server);
    server.route(kMessagesPath, errorReply(401, QStringLiteral("invalid x-api-key ") + kKey));
    const QStringList ask = QStringList { QStringLiteral("ask"), QStringLiteral("Rain?") } + kPlace;

    CliResult result = runCli(server, QStringList { QStringLiteral("--key-stdin") } + ask, kKey.toUtf8());
    EXPECT_EQ(result.exitCode, 1);
    // Diagnostic lines may come first; the error is the last line.
    EXPECT_TRUE(result.err.endsWith(QStringLiteral("Anthropic rejected the API key. Check the key in Settings.\n")))
        << result.err.toStdString();
    EXPECT_FALSE(result.err.contains(kKey));
    EXPECT_FALSE(result.out.contains(kKey));

    result = runCli(server, ask);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.endsWith(QStringLiteral("No Anthropic API key is saved. Add one in Settings.\n")));
    EXPECT_EQ(server.count(kMessagesPath), 1);
}

TEST(AiCli, BriefingAndDataBlock)
{
    FakeServer server;
    routeForecast(server);
    server.routeHandler(kMessagesPath, [](const FakeServer::Request &r) {
        if (bodyOf(r).value(QLatin1StringView("max_tokens")).toInt() == 500) {
            return textReply(QStringLiteral("Flooding closed the A12."));
        }
        return textReply(QStringLiteral("Bright and mild.\nHEADLINE: Mild, 21°C.\nSUGGESTED QUESTION: Any rain?"));
    });
    QTemporaryDir dir;
    const QString keyPath = dir.filePath(QStringLiteral("key"));
    QFile keyFile(keyPath);
    ASSERT_TRUE(keyFile.open(QIODevice::WriteOnly));
    keyFile.write(kKey.toUtf8());
    keyFile.close();

    CliResult result =
        runCli(server, QStringList { QStringLiteral("--key-file"), keyPath, QStringLiteral("briefing") } + kPlace);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(result.out.toUtf8()).object(),
        (QJsonObject { { QStringLiteral("text"), QStringLiteral("Bright and mild.") },
            { QStringLiteral("headline"), QStringLiteral("Mild, 21°C.") },
            { QStringLiteral("suggestedQuestion"), QStringLiteral("Any rain?") } }));

    // Without a key: no briefing, no request.
    result = runCli(server, QStringList { QStringLiteral("briefing") } + kPlace);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("null\n"));
    EXPECT_EQ(server.count(kMessagesPath), 1);

    result = runCli(server,
        QStringList { QStringLiteral("--key-file"), keyPath, QStringLiteral("data-block") } + kPlace
            + QStringList { QStringLiteral("--local-expertise") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("Timezone: ")));
    EXPECT_TRUE(
        result.out.endsWith(QStringLiteral("treat as color, not as forecast data):\nFlooding closed the A12.\n")));
    EXPECT_EQ(server.count(kMessagesPath), 2);

    result = runCli(server, QStringList { QStringLiteral("data-block"), QStringLiteral("51.5") });
    EXPECT_EQ(result.exitCode, 2);
}
