// SPDX-License-Identifier: GPL-3.0-or-later
// The forecaster-source commands of merrin-cli, run as a separate process against a local server.
#include "CliRunner.h"
#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

TEST(SourcesCli, AlertsOfficeAndProduct)
{
    FakeServer server;
    server.route(QStringLiteral("/alerts/active"),
        FakeServer::fromFile(QStringLiteral("nws_alerts_active_phoenix_2024_heat_aqa.json")));
    server.route(QStringLiteral("/points/33.2500,-112.3000"), FakeServer::json(R"({"properties":{"cwa":"PSR"}})"));
    server.route(QStringLiteral("/points/51.5000,0.0000"), FakeServer::json("{}", 404));
    server.route(QStringLiteral("/products/types/AFD/locations/GYX"),
        FakeServer::fromFile(QStringLiteral("nws_products_types_AFD_locations_GYX_2019.json")));
    server.route(QStringLiteral("/products/2a244c90-fec3-446c-b73b-d333569c0329"),
        FakeServer::fromFile(QStringLiteral("nws_product_AFD_GYX_2019-08-25.json")));

    CliResult result = runCli(server, { QStringLiteral("alerts"), QStringLiteral("33.45"), QStringLiteral("-112.07") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonArray alerts = QJsonDocument::fromJson(result.out.toUtf8()).array();
    ASSERT_EQ(alerts.size(), 2);
    EXPECT_EQ(alerts[1][QStringLiteral("severity")].toString(), QStringLiteral("Unknown"));
    EXPECT_TRUE(alerts[1][QStringLiteral("instruction")].isNull());

    result = runCli(server, { QStringLiteral("office"), QStringLiteral("33.25"), QStringLiteral("-112.30") });
    EXPECT_EQ(result.out, QStringLiteral("PSR\n"));
    result = runCli(server, { QStringLiteral("office"), QStringLiteral("51.5"), QStringLiteral("0") });
    EXPECT_EQ(result.out, QStringLiteral("absent\n"));

    result = runCli(server, { QStringLiteral("product"), QStringLiteral("AFD"), QStringLiteral("GYX") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject product = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(product[QStringLiteral("office")].toString(), QStringLiteral("GYX"));
    EXPECT_EQ(product[QStringLiteral("issuedAt")].toString(), QStringLiteral("2019-08-25T10:00:00+00:00"));
    EXPECT_FALSE(product[QStringLiteral("text")].toString().contains(QStringLiteral(".MARINE...")));

    result = runCli(server, { QStringLiteral("product"), QStringLiteral("ZFP"), QStringLiteral("GYX") });
    EXPECT_EQ(result.exitCode, 2);
}

TEST(SourcesCli, Outlook)
{
    FakeServer server;
    server.route(QStringLiteral("/products/outlook/day1otlk_cat.lyr.geojson"),
        FakeServer::fromFile(QStringLiteral("spc_day1otlk_cat_20260925_1630_nolyr_TRIMMED_geometry.geojson")));
    server.route(QStringLiteral("/products/outlook/day2otlk_cat.lyr.geojson"), FakeServer::json("{}", 500));
    server.route(QStringLiteral("/products/outlook/day3otlk_cat.lyr.geojson"), FakeServer::json(R"({"features":[]})"));
    CliResult result = runCli(server, { QStringLiteral("outlook"), QStringLiteral("32.4"), QStringLiteral("-108.61") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
        QStringLiteral("SPC convective (severe thunderstorm) outlook for this location:\n"
                       "- Day 1 (today): General Thunderstorms Risk (non-severe)\n"
                       "- Day 2 (tomorrow): no thunderstorm outlook area\n"
                       "- Day 3: no thunderstorm outlook area\n"));
    result = runCli(server, { QStringLiteral("outlook"), QStringLiteral("51.5"), QStringLiteral("-0.1") });
    EXPECT_EQ(result.out, QStringLiteral("absent\n"));
    EXPECT_EQ(server.requests().size(), 3);
}
