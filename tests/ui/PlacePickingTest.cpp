// SPDX-License-Identifier: GPL-3.0-or-later
// The favourite star of the home screen and the picks of the place search, over the real app
// model and settings, with every service pointed at a local server.
#include "app/AppModel.h"
#include "app/LiveSources.h"
#include "ui/HomeViewModel.h"
#include "ui/PlaceSearchViewModel.h"

#include "AppWorld.h"
#include "Await.h"
#include "FakeServer.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::spinUntil;

namespace {

class PlacePickingTest : public ::testing::Test, protected AppWorld
{
protected:
    PlacePickingTest()
        : AppWorld(QStringLiteral("org.merrinvale.MerrinVale.ui-tests"))
    {
        server.routeHandler(QStringLiteral("/v1/search"), [](const FakeServer::Request &r) {
            return FakeServer::fromFile(r.queryValue(QStringLiteral("name")).startsWith(QStringLiteral("Ens"))
                    ? QStringLiteral("openmeteo_geocoding_search_enschede.json")
                    : QStringLiteral("openmeteo_geocoding_search_no_results.json"));
        });
    }

    static SavedLocation place(const QString &name, double lat, double lon)
    {
        return SavedLocation { name, QStringLiteral("Region"), QStringLiteral("Country"), lat, lon,
            QStringLiteral("Europe/Rome") };
    }

    // One field of every row, joined with "|".
    static QString column(const QVariantList &rows, const char *key)
    {
        QStringList out;
        for (const QVariant &row : rows) {
            out.append(row.toMap().value(QString::fromLatin1(key)).toString());
        }
        return out.join(u'|');
    }

    QString recentNames() const
    {
        QStringList names;
        for (const SavedLocation &p : settings.recentLocations()) {
            names.append(p.name);
        }
        return names.join(u'|');
    }

    LiveSources sources { network, endpoints, defaults, clock };
    AppModel model { settings, sources, defaults, clock };
};

} // namespace

TEST_F(PlacePickingTest, TheStarFollowsTheCurrentPlaceAndTheFavourites)
{
    HomeViewModel home(model);
    int changed = 0;
    QObject::connect(&home, &HomeViewModel::changed, &home, [&changed] { ++changed; });

    SCOPED_TRACE("without a place there is nothing to star");
    EXPECT_FALSE(home.isFavorite());
    home.toggleFavorite();
    EXPECT_TRUE(settings.favorites().isEmpty());

    SCOPED_TRACE("starring the current place adds it");
    model.select(place(QStringLiteral("Rome"), 41.9, 12.5));
    EXPECT_FALSE(home.isFavorite());
    changed = 0;
    home.toggleFavorite();
    EXPECT_TRUE(home.isFavorite());
    EXPECT_GE(changed, 1);
    ASSERT_EQ(settings.favorites().size(), 1);
    EXPECT_EQ(settings.favorites().first().name, QStringLiteral("Rome"));

    SCOPED_TRACE("a place 50 metres away is the same place; another one is not");
    model.select(place(QStringLiteral("Rome centre"), 41.9004, 12.5004));
    EXPECT_TRUE(home.isFavorite());
    model.select(place(QStringLiteral("Ostia"), 41.73, 12.28));
    EXPECT_FALSE(home.isFavorite());

    SCOPED_TRACE("a change of the favourites elsewhere updates the star");
    changed = 0;
    settings.toggleFavorite(place(QStringLiteral("Ostia"), 41.73, 12.28));
    EXPECT_TRUE(home.isFavorite());
    EXPECT_GE(changed, 1);
    home.toggleFavorite();
    EXPECT_FALSE(home.isFavorite());
    EXPECT_EQ(settings.favorites().size(), 1);
}

TEST_F(PlacePickingTest, TheErrorDetailNamesWhatFailedLast)
{
    HomeViewModel home(model);

    SCOPED_TRACE("the device's place cannot be found");
    test_support::await(model.useCurrentLocation());
    ASSERT_TRUE(model.locationError().has_value());
    EXPECT_EQ(home.state(), HomeViewModel::State::NoLocation);
    EXPECT_EQ(home.errorDetail(), *model.locationError());

    SCOPED_TRACE("a place picked since then whose forecast fails shows the forecast's error");
    model.select(place(QStringLiteral("Rome"), 41.9, 12.5));
    ASSERT_TRUE(spinUntil([&] { return !model.forecastLoading(); }, 5s));
    ASSERT_TRUE(model.forecastError().has_value());
    EXPECT_EQ(home.state(), HomeViewModel::State::Failed);
    EXPECT_EQ(home.errorDetail(), *model.forecastError());
}

TEST_F(PlacePickingTest, PicksSelectThePlaceAndKeepTheRecentList)
{
    PlaceSearchViewModel search(sources.geocoding(), model, 20ms);
    int chosen = 0;
    QObject::connect(&search, &PlaceSearchViewModel::chosen, &search, [&chosen] { ++chosen; });

    SCOPED_TRACE("nothing saved and nothing typed");
    EXPECT_TRUE(search.rows().isEmpty());
    EXPECT_EQ(search.emptyText(), QStringLiteral("Type to search for a location"));

    settings.toggleFavorite(place(QStringLiteral("Rome"), 41.9, 12.5));
    settings.addRecent(place(QStringLiteral("Turin"), 45.07, 7.69));
    settings.addRecent(place(QStringLiteral("Milan"), 45.46, 9.19));

    SCOPED_TRACE("favourites, then recent places, each section headed once");
    EXPECT_EQ(column(search.rows(), "kind"), u"favorite|recent|recent");
    EXPECT_EQ(column(search.rows(), "header"), u"Favourites|Recent|");
    EXPECT_EQ(column(search.rows(), "label"), u"Rome, Region, Country|Milan, Region, Country|Turin, Region, Country");
    EXPECT_TRUE(search.emptyText().isEmpty());

    SCOPED_TRACE("a favourite leaves the recent list alone");
    search.pick(0);
    EXPECT_EQ(chosen, 1);
    ASSERT_TRUE(model.location().has_value());
    EXPECT_EQ(model.location()->name, QStringLiteral("Rome"));
    EXPECT_EQ(recentNames(), u"Milan|Turin");

    SCOPED_TRACE("a recent place moves to the front");
    search.pick(2);
    EXPECT_EQ(model.location()->name, QStringLiteral("Turin"));
    EXPECT_EQ(recentNames(), u"Turin|Milan");

    SCOPED_TRACE("a search result is added in front");
    search.setQuery(QStringLiteral("Ens"));
    ASSERT_TRUE(spinUntil([&] { return search.rows().size() == 2 && !search.searching(); }, 5s));
    EXPECT_EQ(column(search.rows(), "kind"), u"result|result");
    EXPECT_EQ(column(search.rows(), "header"), u"|") << "no headings";
    EXPECT_TRUE(column(search.rows(), "label").startsWith(u"Enschede, Overijssel, The Netherlands|"));
    search.pick(0);
    EXPECT_EQ(model.location()->name, QStringLiteral("Enschede"));
    EXPECT_EQ(recentNames(), u"Enschede|Turin|Milan");
    EXPECT_EQ(chosen, 3);

    SCOPED_TRACE("a row that is not there picks nothing");
    search.pick(7);
    search.pick(-1);
    EXPECT_EQ(chosen, 3);

    SCOPED_TRACE("no match says so with the text as typed");
    search.setQuery(QStringLiteral("Zzz "));
    ASSERT_TRUE(spinUntil([&] { return !search.emptyText().isEmpty(); }, 5s));
    EXPECT_TRUE(search.rows().isEmpty());
    EXPECT_EQ(search.emptyText(), QStringLiteral("No locations found for “Zzz ”"));

    SCOPED_TRACE("clearing the recent places leaves the favourites");
    search.reset();
    search.clearRecents();
    EXPECT_EQ(column(search.rows(), "kind"), u"favorite");
    EXPECT_TRUE(settings.recentLocations().isEmpty());
}
