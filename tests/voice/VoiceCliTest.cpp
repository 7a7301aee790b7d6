// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli's voice commands, run as a separate process.
#include "CliRunner.h"
#include "FakeServer.h"
#include "TestKeys.h"
#include "TestOutput.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(VoiceCli, NormalizesAndBuildsTheScript)
{
    FakeServer server;
    CliResult result = runCli(server, { QStringLiteral("normalize") }, "Highs 60-72°F,\n 40% at 3 PM.\n");
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("Highs sixty-seventy-two degrees, forty percent at three p.m.\n"));

    result = runCli(server,
        { QStringLiteral("script"), QStringLiteral("--place"), QStringLiteral("Springfield"),
            QStringLiteral("--weekday"), QStringLiteral("Tuesday"), QStringLiteral("--hour"), QStringLiteral("18"),
            QStringLiteral("--no-outro") },
        "Dry, 5 mph.");
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
        QStringLiteral("Good evening, I'm Merrin Vale. Here's your Tuesday forecast for Springfield. Dry, five "
                       "miles an hour.\n"));

    result = runCli(server, { QStringLiteral("script"), QStringLiteral("--hour"), QStringLiteral("25") }, "x");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(server.requests().isEmpty());
}

// Failures go to standard error like every command's (AiCliTest).
TEST(VoiceCli, TtsPrintsTheCachedFile)
{
    FakeServer server;
    test_support::TempDir cache;
    const QStringList arguments { QStringLiteral("tts"), QStringLiteral("--cache"), cache.path() };
    QTemporaryDir keys; // the test's own input: removed, unlike what the tool writes
    QFile keyFile(keys.filePath(QStringLiteral("key")));
    ASSERT_TRUE(keyFile.open(QIODevice::WriteOnly));
    keyFile.write(test_keys::kGoogleKey.toUtf8() + '\n');
    keyFile.close();
    server.route(QStringLiteral("/v1beta/models/gemini-3.1-flash-tts-preview:generateContent"),
        FakeServer::json(R"({"candidates":[{"content":{"parts":[{"inlineData":{"data":"AAEC"}}]}}]})"));
    const CliResult result =
        runCli(server, QStringList { QStringLiteral("--key-file"), keyFile.fileName() } + arguments, "Sunny.");
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(cache.path() + QStringLiteral("/MerrinValeVoice/")));
    EXPECT_EQ(QFileInfo(result.out.trimmed()).size(), 44 + 3);
    EXPECT_EQ(server.requests().value(0).headers.value(QStringLiteral("x-goog-api-key")), test_keys::kGoogleKey);
}
