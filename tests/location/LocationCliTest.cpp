// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli locate and search, run as a separate process against a local server.
#include "CliRunner.h"
#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

TEST(LocationCli, LocatePrintsThePlaceFromTheIpChain)
{
    FakeServer server;
    server.route(QStringLiteral("/"), FakeServer::json("busy", 503));
    server.route(QStringLiteral("/json/"), FakeServer::fromFile(QStringLiteral("ipapi_co_json_miami.json")));
    server.route(QStringLiteral("/data/reverse-geocode-client"),
        FakeServer::json(R"({"city": "Miami", "countryName": "United States"})"));
    CliResult result = runCli(server, { QStringLiteral("locate") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject place = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(place[QStringLiteral("name")].toString(), QStringLiteral("Miami"));
    EXPECT_TRUE(place[QStringLiteral("admin1")].isNull());
    EXPECT_EQ(place[QStringLiteral("country")].toString(), QStringLiteral("United States"));
    EXPECT_EQ(place[QStringLiteral("latitude")].toDouble(), 25.7689);
    EXPECT_EQ(place[QStringLiteral("longitude")].toDouble(), -80.1946);
    EXPECT_FALSE(place[QStringLiteral("timezone")].toString().isEmpty());
    EXPECT_EQ(
        server.requests(QStringLiteral("/data/reverse-geocode-client")).value(0).queryValue(QStringLiteral("latitude")),
        QStringLiteral("25.7689"));

    server.route(QStringLiteral("/json/"), FakeServer::json("{}"));
    result = runCli(server, { QStringLiteral("locate") });
    EXPECT_EQ(result.exitCode, 1);
    // Diagnostic lines come first; the error's description is the last line.
    EXPECT_EQ(result.err.trimmed().split(QLatin1Char('\n')).constLast().toStdString(),
        std::string("Request failed (0): Could not detect your location. Use search to pick your city instead."));
}

TEST(LocationCli, SearchPrintsTheHits)
{
    FakeServer server;
    server.route(
        QStringLiteral("/v1/search"), FakeServer::fromFile(QStringLiteral("openmeteo_geocoding_search_enschede.json")));
    CliResult result = runCli(server, { QStringLiteral("search"), QStringLiteral("Enschede") });
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonArray hits = QJsonDocument::fromJson(result.out.toUtf8()).array();
    ASSERT_EQ(hits.size(), 2);
    EXPECT_EQ(hits.at(0)[QStringLiteral("id")].toInteger(), 2756071);
    EXPECT_EQ(hits.at(1)[QStringLiteral("name")].toString(), QStringLiteral("Enschede Airport Twente"));

    result = runCli(server, { QStringLiteral("search") });
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(server.count(QStringLiteral("/v1/search")), 1);
}
