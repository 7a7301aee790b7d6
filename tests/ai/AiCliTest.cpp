// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli ask, briefing and data-block, run as a separate process against a local server.
#include "AiWorld.h"
#include "CliRunner.h"

using namespace ai_test;

TEST(AiCli, AskBriefingAndDataBlock)
{
    AiWorld world; // for its server and routes
    FakeServer &server = world.server;
    server.routeSequence(kMessagesPath,
        { textReply(QStringLiteral("  Dry until Friday.\n")), errorReply(401, QStringLiteral("bad key ") + kKey),
            textReply(QStringLiteral("Mild.\nHEADLINE: Mild, 21°C.\nSUGGESTED QUESTION: Any rain?")) });
    const QStringList place { QStringLiteral("51.5072"), QStringLiteral("-0.1276"), QStringLiteral("Europe/London"),
        QStringLiteral("London") };
    const QStringList ask = QStringList { QStringLiteral("--key-stdin"), QStringLiteral("ask"), QStringLiteral("And?") }
        + place + QStringList { QStringLiteral("--celsius") };

    CliResult result = runCli(server, ask, (kKey + QStringLiteral("\n")).toUtf8());
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("Dry until Friday.\n"));
    const FakeServer::Request request = server.requests(kMessagesPath).value(0);
    EXPECT_EQ(request.headers.value(QStringLiteral("x-api-key")), kKey);
    EXPECT_TRUE(bodyOf(request)[QLatin1StringView("system")].toString().contains(QStringLiteral("Celsius (°C)")));

    // Failures go to standard error, the last line, without the key.
    result = runCli(server, ask, kKey.toUtf8());
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.endsWith(QStringLiteral("Anthropic rejected the API key. Check the key in Settings.\n")));
    EXPECT_FALSE(result.err.contains(kKey) || result.out.contains(kKey));

    result = runCli(
        server, QStringList { QStringLiteral("--key-stdin"), QStringLiteral("briefing") } + place, kKey.toUtf8());
    EXPECT_EQ(QJsonDocument::fromJson(result.out.toUtf8())[QLatin1StringView("headline")].toString(),
        QStringLiteral("Mild, 21°C."));
    EXPECT_EQ(runCli(server, QStringList { QStringLiteral("briefing") } + place).out, QStringLiteral("null\n"));
    EXPECT_TRUE(runCli(server, QStringList { QStringLiteral("data-block") } + place)
                    .out.startsWith(QStringLiteral("Timezone: ")));
    EXPECT_EQ(server.count(kMessagesPath), 3);
    EXPECT_EQ(runCli(server, QStringList { QStringLiteral("data-block"), QStringLiteral("51.5") }).exitCode, 2);
}
