// SPDX-License-Identifier: GPL-3.0-or-later
// The forecaster-source commands of merrin-cli, run as a separate process against a local server.
#include "CliRunner.h"
#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

TEST(SourcesCli, AlertsOfficeProductAndOutlook)
{
    FakeServer server;
    server.route(QStringLiteral("/alerts/active"),
        FakeServer::fromFile(QStringLiteral("nws_alerts_active_phoenix_2024_heat_aqa.json")));
    server.route(QStringLiteral("/points/33.2500,-112.3000"), FakeServer::json(R"({"properties":{"cwa":"PSR"}})"));
    server.route(QStringLiteral("/products/types/AFD/locations/PSR"), FakeServer::json(R"({"@graph":[{"id":"p"}]})"));
    server.route(QStringLiteral("/products/p"), FakeServer::json(R"({"productText":"Hot."})"));
    server.route(QStringLiteral("/products/outlook/day1otlk_cat.lyr.geojson"),
        FakeServer::fromFile(QStringLiteral("spc_day1otlk_cat_20260925_1630_nolyr_TRIMMED_geometry.geojson")));
    const auto run = [&server](const char *command, const char *a, const char *b) {
        const CliResult result =
            runCli(server, { QString::fromLatin1(command), QString::fromLatin1(a), QString::fromLatin1(b) });
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return result.out;
    };

    const QJsonArray alerts = QJsonDocument::fromJson(run("alerts", "33.45", "-112.07").toUtf8()).array();
    ASSERT_EQ(alerts.size(), 2);
    EXPECT_EQ(alerts[1][QStringLiteral("severity")].toString(), QStringLiteral("Unknown"));
    EXPECT_TRUE(alerts[1][QStringLiteral("instruction")].isNull());
    EXPECT_EQ(run("office", "33.25", "-112.30"), QStringLiteral("PSR\n"));
    EXPECT_EQ(run("office", "51.5", "0"), QStringLiteral("absent\n"));
    EXPECT_EQ(QJsonDocument::fromJson(run("product", "AFD", "PSR").toUtf8()).object(),
        (QJsonObject { { QStringLiteral("office"), QStringLiteral("PSR") }, { QStringLiteral("issuedAt"), QString() },
            { QStringLiteral("text"), QStringLiteral("Hot.") } }));
    EXPECT_EQ(run("outlook", "32.4", "-108.61"),
        QStringLiteral("SPC convective (severe thunderstorm) outlook for this location:\n"
                       "- Day 1 (today): General Thunderstorms Risk (non-severe)\n"
                       "- Day 2 (tomorrow): no thunderstorm outlook area\n"
                       "- Day 3: no thunderstorm outlook area\n"));
    EXPECT_EQ(run("outlook", "51.5", "-0.1"), QStringLiteral("absent\n"));
    EXPECT_EQ(runCli(server, { QStringLiteral("product"), QStringLiteral("ZFP"), QStringLiteral("GYX") }).exitCode, 2);
}
