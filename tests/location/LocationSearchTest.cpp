// SPDX-License-Identifier: GPL-3.0-or-later
// The place search: the geocoding request and its results, then the search box's timing. Picks
// and their effect on the recent list are in PlacePickingTest.
#include "location/LocationSearch.h"
#include "location/GeocodingService.h"

#include "Await.h"
#include "FakeServer.h"

#include <QNetworkAccessManager>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::await;
using test_support::spin;
using test_support::spinUntil;

namespace {

const QString kPath = QStringLiteral("/v1/search");

class LocationSearchTest : public ::testing::Test
{
protected:
    LocationSearchTest()
    {
        // "Ens…" finds Enschede, "Eas…" finds East Setauket, anything else nothing.
        server.routeHandler(kPath, [this](const FakeServer::Request &r) {
            const QString name = r.queryValue(QStringLiteral("name"));
            FakeServer::Response response = FakeServer::fromFile(name.startsWith(QStringLiteral("Ens"))
                    ? QStringLiteral("openmeteo_geocoding_search_enschede.json")
                    : name.startsWith(QStringLiteral("Eas"))
                    ? QStringLiteral("openmeteo_geocoding_search_east_setauket_compact.json")
                    : QStringLiteral("openmeteo_geocoding_search_no_results.json"));
            response.delay = replyDelay;
            return response;
        });
    }

    // Waits for the n-th request and the end of its search.
    bool searched(int n)
    {
        return spinUntil([&] { return server.count(kPath) == n; }, 5s)
            && spinUntil([this] { return !search.searching(); }, 5s);
    }

    FakeServer server;
    QNetworkAccessManager network;
    GeocodingService service { network, Endpoints { .openMeteoGeocoding = server.baseUrl() } };
    LocationSearch search { service };
    std::chrono::milliseconds replyDelay { 0 };
};

} // namespace

TEST_F(LocationSearchTest, GeocodingRequestAndResults)
{
    const QList<GeoResult> results = await(service.searchLocations(QStringLiteral(" \tEns & co\n")));
    EXPECT_EQ(server.requests(kPath).constFirst().query,
        (QList<std::pair<QString, QString>> { { QStringLiteral("name"), QStringLiteral("Ens & co") },
            { QStringLiteral("count"), QStringLiteral("8") }, { QStringLiteral("language"), QStringLiteral("en") },
            { QStringLiteral("format"), QStringLiteral("json") } }));
    EXPECT_EQ(results.value(0),
        (GeoResult { 2756071, QStringLiteral("Enschede"), QStringLiteral("Overijssel"),
            QStringLiteral("The Netherlands"), 52.21833, 6.89583, QStringLiteral("Europe/Amsterdam") }));

    SCOPED_TRACE("a malformed element is skipped, the rest kept");
    server.route(kPath, FakeServer::json(R"({"results": [
        {"id": 1, "name": "No Zone", "latitude": 1, "longitude": 2},
        {"id": 2, "name": "Bare", "latitude": 10, "longitude": -20, "timezone": "UTC"},
        {"id": 3, "name": "Text Latitude", "latitude": "1", "longitude": 2, "timezone": "UTC"}, "text", null]})"));
    EXPECT_EQ(await(service.searchLocations(QStringLiteral("x"))),
        QList<GeoResult> {
            (GeoResult { 2, QStringLiteral("Bare"), std::nullopt, std::nullopt, 10, -20, QStringLiteral("UTC") }) });
    server.route(kPath, FakeServer::json(R"({"results": null})"));
    EXPECT_TRUE(await(service.searchLocations(QStringLiteral("x"))).isEmpty());
}

TEST_F(LocationSearchTest, KeystrokesWithinThePauseSendOneRequestForTheFullText)
{
    search.setQuery(QStringLiteral("E"));
    search.setQuery(QStringLiteral("En"));
    search.setQuery(QStringLiteral("Ens "));
    EXPECT_FALSE(search.searching()); // still waiting for the pause to end
    ASSERT_TRUE(searched(1));
    spin(LocationSearch::kDebounce);
    EXPECT_EQ(server.count(kPath), 1);
    EXPECT_EQ(server.requests(kPath).constFirst().queryValue(QStringLiteral("name")), QStringLiteral("Ens"));

    search.setQuery(QStringLiteral(" \t "));
    EXPECT_TRUE(search.results().isEmpty());
    spin(LocationSearch::kDebounce + 50ms);
    EXPECT_EQ(server.count(kPath), 1) << "spaces and tabs only: nothing sent";
}

TEST_F(LocationSearchTest, ASupersededSearchNeverWritesResults)
{
    replyDelay = 400ms;
    QStringList written;
    QObject::connect(
        &search, &LocationSearch::resultsChanged, &search, [&] { written.append(search.results().value(0).name); });
    search.setQuery(QStringLiteral("Ens"));
    ASSERT_TRUE(spinUntil([&] { return search.searching(); }, 5s)); // its request is out
    search.setQuery(QStringLiteral("East"));
    ASSERT_TRUE(searched(2));
    spin(500ms); // the first reply has long arrived by now
    EXPECT_EQ(written, QStringList { QStringLiteral("East Setauket") });
}

TEST_F(LocationSearchTest, AFailureKeepsTheResultsAndEmptyResultsSaySo)
{
    search.setQuery(QStringLiteral("Ens"));
    ASSERT_TRUE(searched(1));
    server.route(kPath, FakeServer::json("busy", 503));
    search.setQuery(QStringLiteral("Ense"));
    ASSERT_TRUE(searched(2));
    EXPECT_EQ(search.results().size(), 2);

    server.route(kPath, FakeServer::fromFile(QStringLiteral("openmeteo_geocoding_search_no_results.json")));
    search.setQuery(QStringLiteral("Zzq "));
    ASSERT_TRUE(spinUntil([&] { return search.results().isEmpty() && !search.searching(); }, 5s));
    EXPECT_EQ(search.noResultsText(), QStringLiteral("No locations found for “Zzq ”"));
    // While the next keystroke waits for the typing to pause, the old verdict is not shown.
    search.setQuery(QStringLiteral("Zzqx"));
    EXPECT_EQ(search.noResultsText(), QString());
}
