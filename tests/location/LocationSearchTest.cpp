// SPDX-License-Identifier: GPL-3.0-or-later
#include "location/LocationSearch.h"
#include "location/GeocodingService.h"

#include "Await.h"
#include "FakeServer.h"

#include <QNetworkAccessManager>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::spin;
using test_support::spinUntil;

namespace {

const QString kPath = QStringLiteral("/v1/search");

class LocationSearchTest : public ::testing::Test
{
protected:
    LocationSearchTest()
    {
        Endpoints endpoints;
        endpoints.openMeteoGeocoding = server.baseUrl();
        service = std::make_unique<GeocodingService>(network, endpoints);
        search = std::make_unique<LocationSearch>(*service, 150ms);
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

    QStringList resultNames() const
    {
        QStringList names;
        for (const GeoResult &r : search->results()) {
            names.append(r.name);
        }
        return names;
    }

    bool settle()
    {
        return spinUntil([this] { return !search->searching(); }, 5s);
    }

    FakeServer server;
    QNetworkAccessManager network;
    std::unique_ptr<GeocodingService> service;
    std::unique_ptr<LocationSearch> search;
    std::chrono::milliseconds replyDelay { 0 };
};

} // namespace

TEST_F(LocationSearchTest, KeystrokesWithinThePauseSendOneRequestForTheFullText)
{
    int searchingChanges = 0;
    QObject::connect(search.get(), &LocationSearch::searchingChanged, search.get(), [&] { ++searchingChanges; });
    search->setQuery(QStringLiteral("E"));
    search->setQuery(QStringLiteral("En"));
    search->setQuery(QStringLiteral("Ens "));
    EXPECT_FALSE(search->searching()); // still waiting for the pause to end
    ASSERT_TRUE(spinUntil([&] { return searchingChanges == 2; }, 5s));
    EXPECT_EQ(server.count(kPath), 1);
    EXPECT_EQ(server.requests(kPath).constFirst().queryValue(QStringLiteral("name")), QStringLiteral("Ens"));
    EXPECT_EQ(resultNames(), (QStringList { QStringLiteral("Enschede"), QStringLiteral("Enschede Airport Twente") }));
    EXPECT_FALSE(search->searching());
    EXPECT_EQ(search->noResultsText(), QString());
    const QVariantMap first = search->resultRows().value(0).toMap();
    EXPECT_EQ(first.value(QStringLiteral("label")).toString(), QStringLiteral("Enschede, Overijssel, The Netherlands"));
    EXPECT_EQ(first.value(QStringLiteral("id")).toLongLong(), 2756071);

    SCOPED_TRACE("spaces and tabs only: results cleared, nothing sent");
    search->setQuery(QStringLiteral(" \t "));
    EXPECT_TRUE(search->results().isEmpty());
    spin(300ms);
    EXPECT_EQ(server.count(kPath), 1);
}

TEST_F(LocationSearchTest, ASupersededSearchNeverWritesResults)
{
    replyDelay = 400ms;
    QList<QStringList> written;
    QObject::connect(
        search.get(), &LocationSearch::resultsChanged, search.get(), [&] { written.append(resultNames()); });
    search->setQuery(QStringLiteral("Ens"));
    ASSERT_TRUE(spinUntil([&] { return search->searching(); }, 5s)); // its request is out
    search->setQuery(QStringLiteral("East"));
    EXPECT_FALSE(search->searching());
    ASSERT_TRUE(spinUntil([&] { return server.count(kPath) == 2; }, 5s));
    ASSERT_TRUE(settle());
    spin(500ms); // the first reply has long arrived by now
    EXPECT_EQ(written, QList<QStringList> { QStringList { QStringLiteral("East Setauket") } });
    EXPECT_EQ(resultNames(), QStringList { QStringLiteral("East Setauket") });
}

TEST_F(LocationSearchTest, FailuresKeepTheResultsAndEmptyResultsSaySo)
{
    search->setQuery(QStringLiteral("Ens"));
    ASSERT_TRUE(spinUntil([&] { return server.count(kPath) == 1; }, 5s));
    ASSERT_TRUE(settle());
    ASSERT_EQ(search->results().size(), 2);

    for (const auto &failure : { FakeServer::json("busy", 503), FakeServer::json("<html>"), FakeServer::json("[]") }) {
        SCOPED_TRACE(failure.body.toStdString());
        server.route(kPath, failure);
        const int before = server.count(kPath);
        search->setQuery(search->query() + QStringLiteral("e"));
        ASSERT_TRUE(spinUntil([&] { return server.count(kPath) == before + 1; }, 5s));
        ASSERT_TRUE(settle());
        spin(50ms);
        EXPECT_EQ(search->results().size(), 2);
        EXPECT_FALSE(search->searching());
    }

    server.route(kPath, FakeServer::fromFile(QStringLiteral("openmeteo_geocoding_search_no_results.json")));
    int noResultsChanges = 0;
    QObject::connect(search.get(), &LocationSearch::noResultsTextChanged, search.get(), [&] { ++noResultsChanges; });
    search->setQuery(QStringLiteral("Zzq "));
    ASSERT_TRUE(spinUntil([&] { return search->results().isEmpty() && !search->searching(); }, 5s));
    EXPECT_EQ(search->noResultsText(), QStringLiteral("No locations found for “Zzq ”"));
    EXPECT_GE(noResultsChanges, 1);
    // While the next keystroke waits for the typing to pause, the old verdict is not shown.
    search->setQuery(QStringLiteral("Zzqx"));
    EXPECT_EQ(search->noResultsText(), QString());
    ASSERT_TRUE(spinUntil([&] { return !search->noResultsText().isEmpty(); }, 5s));
    EXPECT_EQ(search->noResultsText(), QStringLiteral("No locations found for “Zzqx”"));

    search->reset();
    EXPECT_EQ(search->query(), QString());
    EXPECT_EQ(search->noResultsText(), QString());
    EXPECT_EQ(LocationSearch::emptyListsText(), QStringLiteral("Type to search for a location"));
    EXPECT_EQ(LocationSearch::placeholderText(), QStringLiteral("Search for a city…"));
}

TEST_F(LocationSearchTest, PicksSayWhetherTheRecentListChanges)
{
    search->setQuery(QStringLiteral("Ens"));
    ASSERT_TRUE(spinUntil([&] { return !search->results().isEmpty(); }, 5s));
    QList<std::pair<SavedLocation, bool>> chosen;
    QObject::connect(
        search.get(), &LocationSearch::placeChosen, search.get(), [&](const SavedLocation &place, bool addToRecents) {
            chosen.append({ place, addToRecents });
        });

    search->chooseResult(1);
    search->chooseResult(2); // out of range: nothing
    const SavedLocation airport { QStringLiteral("Enschede Airport Twente"), QStringLiteral("Overijssel"),
        QStringLiteral("The Netherlands"), 52.27, 6.87417, QStringLiteral("Europe/Amsterdam") };
    search->chooseRecent(places::toVariant(airport));
    search->chooseFavorite(places::toVariant(airport));
    search->chooseFavorite(QVariantMap { { QStringLiteral("name"), QStringLiteral("broken") } });
    ASSERT_EQ(chosen.size(), 3);
    EXPECT_EQ(chosen.at(0), std::make_pair(airport, true));
    EXPECT_EQ(chosen.at(1), std::make_pair(airport, true));
    EXPECT_EQ(chosen.at(2), std::make_pair(airport, false));
}
