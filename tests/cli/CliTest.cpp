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

#include <tuple>

TEST(CliForecast, PrintsTheParsedForecast)
{
    FakeServer server;
    server.route(QStringLiteral("/v1/forecast"),
        FakeServer::fromFile(QStringLiteral("openmeteo_forecast_melbourne_gmt_midarray_nulls.json")));
    const CliResult result = runCli(server,
        { QStringLiteral("forecast"), QStringLiteral("-37.75"), QStringLiteral("144.875"),
            QStringLiteral("Australia/Melbourne"), QStringLiteral("--celsius"), QStringLiteral("--kmh") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject forecast = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(forecast[QStringLiteral("temperatureUnit")].toString(), QStringLiteral("°C"));
    EXPECT_EQ(forecast[QStringLiteral("windSpeedUnit")].toString(), QStringLiteral("km/h"));
    EXPECT_EQ(forecast[QStringLiteral("hourly")].toArray().size(), 48);
    EXPECT_EQ(forecast[QStringLiteral("daily")].toArray().size(), 7);
    EXPECT_TRUE(forecast[QStringLiteral("yesterday")].isNull());
    EXPECT_EQ(
        forecast[QStringLiteral("current")][QStringLiteral("time")].toString(), QStringLiteral("2025-10-25T11:30"));

    const auto request = server.requests(QStringLiteral("/v1/forecast")).value(0);
    EXPECT_EQ(request.queryValue(QStringLiteral("temperature_unit")), QStringLiteral("celsius"));
    EXPECT_EQ(request.queryValue(QStringLiteral("wind_speed_unit")), QStringLiteral("kmh"));
}

TEST(CliForecast, FailuresAndUsageErrors)
{
    FakeServer server;
    server.route(QStringLiteral("/v1/forecast"), FakeServer::json("busy", 503));
    CliResult result =
        runCli(server, { QStringLiteral("forecast"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("UTC") });
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.trimmed(), QStringLiteral("Request failed (503): busy"));
    EXPECT_TRUE(result.out.isEmpty());

    result = runCli(
        server, { QStringLiteral("forecast"), QStringLiteral("north"), QStringLiteral("2"), QStringLiteral("UTC") });
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("LAT must be a number")));

    result = runCli(server,
        { QStringLiteral("forecast"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("UTC"),
            QStringLiteral("--bogus") });
    EXPECT_EQ(result.exitCode, 2);
    result = runCli(server, { QStringLiteral("no-such-command") });
    EXPECT_EQ(result.exitCode, 2);
    for (const auto &[lat, lon, message] :
        { std::tuple { "nan", "2", "LAT must be a number" }, std::tuple { "1", "inf", "LON must be a number" },
            std::tuple { "91", "2", "LAT must be between -90 and 90" },
            std::tuple { "1", "-180.5", "LON must be between -180 and 180" } }) {
        result = runCli(server,
            { QStringLiteral("forecast"), QString::fromLatin1(lat), QString::fromLatin1(lon), QStringLiteral("UTC") });
        EXPECT_EQ(result.exitCode, 2) << lat << " " << lon;
        EXPECT_TRUE(result.err.contains(QString::fromLatin1(message))) << result.err.toStdString();
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
