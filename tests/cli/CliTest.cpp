// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli run as a separate process against a local server.
#include "CliRunner.h"
#include "FakeServer.h"
#include "TestOutput.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

TEST(CliForecast, PrintsTheParsedForecast)
{
    FakeServer server;
    server.route(QStringLiteral("/v1/forecast"),
        FakeServer::fromFile(QStringLiteral("openmeteo_forecast_melbourne_gmt_midarray_nulls.json")));
    const CliResult result = runCli(server,
        { QStringLiteral("forecast"), QStringLiteral("-37.75"), QStringLiteral("144.875"),
            QStringLiteral("Australia/Melbourne"), QStringLiteral("--celsius"), QStringLiteral("--kmh") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    // The parse itself is the forecast service's; here its JSON, in the units asked for.
    const QJsonObject forecast = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(forecast[QStringLiteral("temperatureUnit")].toString(), QStringLiteral("°C"));
    EXPECT_EQ(forecast[QStringLiteral("windSpeedUnit")].toString(), QStringLiteral("km/h"));
    EXPECT_EQ(forecast[QStringLiteral("hourly")].toArray().size(), 48);
    const auto request = server.requests(QStringLiteral("/v1/forecast")).value(0);
    EXPECT_EQ(request.queryValue(QStringLiteral("temperature_unit")), QStringLiteral("celsius"));
    EXPECT_EQ(request.queryValue(QStringLiteral("wind_speed_unit")), QStringLiteral("kmh"));
}

TEST(CliForecast, FailuresAndUsageErrors)
{
    FakeServer server;
    server.route(QStringLiteral("/v1/forecast"), FakeServer::json("busy", 503));
    const CliResult failed =
        runCli(server, { QStringLiteral("forecast"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("UTC") });
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err.trimmed(), QStringLiteral("Request failed (503): busy"));
    EXPECT_TRUE(failed.out.isEmpty());

    // Usage errors exit with 2 before anything is sent.
    const struct
    {
        QString arguments;
        QString message;
    } usage[] = {
        { QStringLiteral("forecast north 2 UTC"), QStringLiteral("LAT must be a number") },
        { QStringLiteral("forecast nan 2 UTC"), QStringLiteral("LAT must be a number") },
        { QStringLiteral("forecast 1 inf UTC"), QStringLiteral("LON must be a number") },
        { QStringLiteral("forecast 91 2 UTC"), QStringLiteral("LAT must be between -90 and 90") },
        { QStringLiteral("forecast 1 -180.5 UTC"), QStringLiteral("LON must be between -180 and 180") },
        { QStringLiteral("forecast 1 2 UTC --bogus"), QString() },
        { QStringLiteral("no-such-command"), QString() },
    };
    for (const auto &c : usage) {
        SCOPED_TRACE(c.arguments.toStdString());
        const CliResult result = runCli(server, c.arguments.split(u' '));
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
    }
    EXPECT_EQ(server.count(QStringLiteral("/v1/forecast")), 1);
}

TEST(CliForecast, AKeyThatWouldSmuggleAHeaderInIsRefusedBeforeAnythingIsSent)
{
    FakeServer server;
    test_support::TempDir dir;
    const QString keyFile = dir.filePath(QStringLiteral("key"));
    QFile key(keyFile);
    ASSERT_TRUE(key.open(QIODevice::WriteOnly));
    key.write("sk-ant-test\r\nX-Injected: yes\n");
    key.close();
    const CliResult result = runCli(server,
        { QStringLiteral("--key-file"), keyFile, QStringLiteral("ask"), QStringLiteral("Will it rain?"),
            QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("UTC") });
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(
        result.err.contains(QStringLiteral("An API key can't contain spaces, line breaks or control characters.")));
    EXPECT_TRUE(server.requests().isEmpty());
}
