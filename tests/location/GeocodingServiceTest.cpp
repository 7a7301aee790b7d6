// SPDX-License-Identifier: GPL-3.0-or-later
#include "location/GeocodingService.h"

#include "net/AppError.h"

#include "Await.h"
#include "FakeServer.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

using test_support::await;

namespace {

const QString kPath = QStringLiteral("/v1/search");

class GeocodingServiceTest : public ::testing::Test
{
protected:
    GeocodingServiceTest()
    {
        Endpoints endpoints;
        endpoints.openMeteoGeocoding = server.baseUrl();
        service = std::make_unique<GeocodingService>(network, endpoints);
    }

    QList<GeoResult> search(const QString &query) { return await(service->searchLocations(query)); }

    FakeServer server;
    QNetworkAccessManager network;
    std::unique_ptr<GeocodingService> service;
};

} // namespace

TEST_F(GeocodingServiceTest, SendsTheTrimmedQueryWithItsItemsInOrder)
{
    server.route(kPath, FakeServer::fromFile(QStringLiteral("openmeteo_geocoding_search_enschede.json")));
    const QList<GeoResult> results = search(QStringLiteral(" \tSão Paulo & co\n"));
    ASSERT_EQ(server.count(kPath), 1);
    const auto request = server.requests(kPath).constFirst();
    EXPECT_EQ(request.query,
        (QList<std::pair<QString, QString>> { { QStringLiteral("name"), QStringLiteral("São Paulo & co") },
            { QStringLiteral("count"), QStringLiteral("8") }, { QStringLiteral("language"), QStringLiteral("en") },
            { QStringLiteral("format"), QStringLiteral("json") } }));
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results.at(0),
        (GeoResult { 2756071, QStringLiteral("Enschede"), QStringLiteral("Overijssel"),
            QStringLiteral("The Netherlands"), 52.21833, 6.89583, QStringLiteral("Europe/Amsterdam") }));
    EXPECT_EQ(results.at(1).name, QStringLiteral("Enschede Airport Twente"));

    for (const QString &blank : { QString(), QStringLiteral("  "), QStringLiteral("\n\t\u00a0") }) {
        EXPECT_TRUE(search(blank).isEmpty());
    }
    EXPECT_EQ(server.count(kPath), 1);
}

TEST_F(GeocodingServiceTest, SkipsMalformedElementsAndKeepsTheRest)
{
    server.route(kPath, FakeServer::json(R"({"results": [
        {"id": 1, "name": "No Zone", "latitude": 1, "longitude": 2},
        {"id": 2, "name": "Bare", "latitude": 10, "longitude": -20, "timezone": "UTC"},
        {"id": 3.9, "name": "Float Id", "latitude": 1.5, "longitude": 2.5, "timezone": "Etc/GMT+5", "admin1": 4, "country": null},
        {"id": "4", "name": "Text Id", "latitude": 1, "longitude": 2, "timezone": "UTC"},
        {"id": 5, "name": "Text Latitude", "latitude": "1", "longitude": 2, "timezone": "UTC"},
        {"id": 6, "name": null, "latitude": 1, "longitude": 2, "timezone": "UTC"},
        {"name": "No Id", "latitude": 1, "longitude": 2, "timezone": "UTC"},
        [1, 2], "text", null,
        {"id": 7, "name": "Last", "latitude": 0, "longitude": 0, "timezone": "Africa/Abidjan", "admin1": "A", "country": "C"}
    ]})"));
    const QList<GeoResult> results = search(QStringLiteral("x"));
    ASSERT_EQ(results.size(), 3);
    EXPECT_EQ(results.at(0),
        (GeoResult { 2, QStringLiteral("Bare"), std::nullopt, std::nullopt, 10, -20, QStringLiteral("UTC") }));
    EXPECT_EQ(results.at(1),
        (GeoResult {
            3, QStringLiteral("Float Id"), std::nullopt, std::nullopt, 1.5, 2.5, QStringLiteral("Etc/GMT+5") }));
    EXPECT_EQ(results.at(2).name, QStringLiteral("Last"));

    server.route(kPath, FakeServer::fromFile(QStringLiteral("openmeteo_geocoding_search_east_setauket_compact.json")));
    EXPECT_EQ(search(QStringLiteral("East Setauket")).value(0).admin1, QStringLiteral("New York"));
}

TEST_F(GeocodingServiceTest, RepliesWithoutResultsAndBadBodies)
{
    const char *empty[] = { R"({"results": {"id": 1}})", R"({"results": null})", R"({"results": []})", "{}" };
    for (const char *body : empty) {
        SCOPED_TRACE(body);
        server.route(kPath, FakeServer::json(body));
        EXPECT_TRUE(search(QStringLiteral("a")).isEmpty());
    }
    server.route(kPath, FakeServer::fromFile(QStringLiteral("openmeteo_geocoding_search_no_results.json")));
    EXPECT_TRUE(search(QStringLiteral("Zzyzxq")).isEmpty());

    server.route(kPath, FakeServer::json(R"([{"id": 1}])"));
    EXPECT_THROW(search(QStringLiteral("a")), HttpError);
    server.route(kPath, FakeServer::json("<html>oops"));
    EXPECT_THROW(search(QStringLiteral("a")), JsonError);
}
