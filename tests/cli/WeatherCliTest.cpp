// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli summary, nowcast and normals against a local server.
#include "CliRunner.h"
#include "FakeServer.h"
#include "TestOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

TEST(CliWeather, SummaryPrintsTheTextBlock)
{
    FakeServer server;
    server.route(QStringLiteral("/v1/forecast"),
        FakeServer::json(R"({"timezone":"Asia/Kolkata","current":{},"daily":{},"hourly":{}})"));
    server.route(QStringLiteral("/v1/air-quality"),
        FakeServer::fromFile(QStringLiteral("openmeteo_air_quality_current_us_aqi_delhi.json")));
    const CliResult result = runCli(server,
        { QStringLiteral("summary"), QStringLiteral("28.6"), QStringLiteral("77.2"), QStringLiteral("Asia/Kolkata"),
            QStringLiteral("--celsius") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(QStringLiteral("Timezone: Asia/Kolkata\nUnits: temperatures °C, wind mph, "
                                                     "precipitation mm.\n")));
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("\n7-day daily outlook:\n\nHourly (next 48h):\n")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("Air quality: US AQI 160 (Unhealthy)")));
}

TEST(CliWeather, NowcastPrintsJsonThenTheModelText)
{
    FakeServer server;
    server.route(QStringLiteral("/v1/forecast"),
        FakeServer::json(R"({"minutely_15":{"time":[1784041200,1784042100,1784043000,1784043900,1784044800],
                                      "precipitation":[0.5,0.5,0.5,0.5,0.5],"precipitation_probability":[90,90,90,90,90]}})"));
    // 1784041200 is 2026-07-14T15:00Z.
    const CliResult result = runCli(server,
        { QStringLiteral("--now"), QStringLiteral("2026-07-14T15:00:30Z"), QStringLiteral("nowcast"),
            QStringLiteral("41.88"), QStringLiteral("-87.63"), QStringLiteral("America/Chicago") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const qsizetype textStart = result.out.indexOf(QStringLiteral("Minute-by-minute"));
    ASSERT_GT(textStart, 0);
    const QJsonObject nowcast = QJsonDocument::fromJson(result.out.left(textStart).toUtf8()).object();
    EXPECT_EQ(nowcast[QStringLiteral("summary")].toString(), QStringLiteral("Rain continuing through the next hour"));
    EXPECT_EQ(nowcast[QStringLiteral("minutes")][0][QStringLiteral("date")].toString(),
        QStringLiteral("2026-07-14T15:00:00Z"));
    EXPECT_EQ(result.out.mid(textStart).count(QLatin1Char('\n')), 14);
    EXPECT_EQ(server.count(QStringLiteral("/v1/forecast")), 1);
}

TEST(CliWeather, NormalsAreKeptInTheStateFolder)
{
    FakeServer server;
    server.route(QStringLiteral("/v1/archive"),
        FakeServer::fromFile(QStringLiteral("openmeteo_archive_daily_chicago_2022H1.json")));
    test_support::TempDir state;
    const QStringList args { QStringLiteral("--state"), state.path(), QStringLiteral("--now"),
        QStringLiteral("2026-03-10T12:00:00Z"), QStringLiteral("normals"), QStringLiteral("41.75"),
        QStringLiteral("-87.75"), QStringLiteral("America/Chicago") };
    const CliResult first = runCli(server, args);
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    const QJsonObject normals = QJsonDocument::fromJson(first.out.toUtf8()).object();
    EXPECT_EQ(normals[QStringLiteral("signature")].toString(), QStringLiteral("41.8|-87.8"));
    EXPECT_EQ(normals[QStringLiteral("computedYear")].toInt(), 2026);
    EXPECT_TRUE(normals[QStringLiteral("highs")].toObject().contains(QStringLiteral("02-29")));

    const CliResult second = runCli(server, args);
    EXPECT_EQ(second.out, first.out);
    EXPECT_EQ(server.count(QStringLiteral("/v1/archive")), 1);

    server.route(QStringLiteral("/v1/archive"), FakeServer::json("busy", 503));
    const CliResult failed =
        runCli(server, { QStringLiteral("normals"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("UTC") });
    EXPECT_EQ(failed.exitCode, 0);
    EXPECT_EQ(failed.out, QStringLiteral("null\n"));
}
