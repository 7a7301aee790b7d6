// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli locate and search, run as a separate process against a local server.
#include "CliRunner.h"
#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

TEST(LocationCli, LocateAndSearch)
{
    FakeServer server;
    server.route(QStringLiteral("/"), FakeServer::json("busy", 503));
    server.route(QStringLiteral("/json/"), FakeServer::fromFile(QStringLiteral("ipapi_co_json_miami.json")));
    server.route(QStringLiteral("/data/reverse-geocode-client"),
        FakeServer::json(R"({"city": "Miami", "countryName": "United States"})"));
    server.route(
        QStringLiteral("/v1/search"), FakeServer::fromFile(QStringLiteral("openmeteo_geocoding_search_enschede.json")));
    CliResult result = runCli(server, { QStringLiteral("locate") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject place = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(place[QStringLiteral("name")].toString(), QStringLiteral("Miami"));
    EXPECT_TRUE(place[QStringLiteral("admin1")].isNull());
    EXPECT_EQ(place[QStringLiteral("latitude")].toDouble(), 25.7689);
    EXPECT_FALSE(place[QStringLiteral("timezone")].toString().isEmpty());

    server.route(QStringLiteral("/json/"), FakeServer::json("{}"));
    result = runCli(server, { QStringLiteral("locate") });
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(
        result.err.endsWith(QStringLiteral("Could not detect your location. Use search to pick your city instead.\n")));

    result = runCli(server, { QStringLiteral("search"), QStringLiteral("Enschede") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(result.out.toUtf8()).array().at(1)[QStringLiteral("name")].toString(),
        QStringLiteral("Enschede Airport Twente"));
    EXPECT_EQ(runCli(server, { QStringLiteral("search") }).exitCode, 2);
}
