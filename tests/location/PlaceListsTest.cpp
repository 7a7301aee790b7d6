// SPDX-License-Identifier: GPL-3.0-or-later
#include "location/PlaceLists.h"

#include <gtest/gtest.h>

namespace {

SavedLocation place(const QString &name, double latitude, double longitude)
{
    return SavedLocation { name, std::nullopt, std::nullopt, latitude, longitude, QStringLiteral("UTC") };
}

QStringList names(const QList<SavedLocation> &list)
{
    QStringList out;
    for (const SavedLocation &p : list) {
        out.append(p.name);
    }
    return out;
}

} // namespace

TEST(PlaceListsTest, RecentsAreNewestFirstUniqueAndAtMostTen)
{
    QList<SavedLocation> recents;
    for (int i = 1; i <= 10; ++i) {
        recents = places::addRecent(recents, place(QString::number(i), i, i));
    }
    EXPECT_EQ(names(recents).first(), QStringLiteral("10"));
    ASSERT_EQ(recents.size(), 10);

    SCOPED_TRACE("the eleventh pushes out the oldest");
    recents = places::addRecent(recents, place(QStringLiteral("11"), 11, 11));
    EXPECT_EQ(recents.size(), 10);
    EXPECT_EQ(names(recents).first(), QStringLiteral("11"));
    EXPECT_EQ(names(recents).last(), QStringLiteral("2"));

    SCOPED_TRACE("0.0005° away is the same place: replaced and moved first");
    recents = places::addRecent(recents, place(QStringLiteral("five again"), 5.0005, 4.9995));
    EXPECT_EQ(recents.size(), 10);
    EXPECT_EQ(names(recents).first(), QStringLiteral("five again"));
    EXPECT_FALSE(names(recents).contains(QStringLiteral("5")));

    SCOPED_TRACE("0.001° away in either coordinate is another place");
    recents = places::addRecent(recents, place(QStringLiteral("near eight"), 8.001, 8));
    recents = places::addRecent(recents, place(QStringLiteral("near nine"), 9, 8.999));
    EXPECT_EQ(names(recents).mid(0, 2), (QStringList { QStringLiteral("near nine"), QStringLiteral("near eight") }));
    EXPECT_TRUE(names(recents).contains(QStringLiteral("8")));
    EXPECT_TRUE(names(recents).contains(QStringLiteral("9")));

    SCOPED_TRACE("every entry that is the same place goes");
    const QList<SavedLocation> doubled { place(QStringLiteral("a"), 1, 1), place(QStringLiteral("b"), 2, 2),
        place(QStringLiteral("a2"), 1.0002, 1) };
    EXPECT_EQ(names(places::addRecent(doubled, place(QStringLiteral("a3"), 1, 1.0001))),
        (QStringList { QStringLiteral("a3"), QStringLiteral("b") }));
}

TEST(PlaceListsTest, FavouritesToggleAndPicks)
{
    QList<SavedLocation> favorites { place(QStringLiteral("Oslo"), 59.91, 10.75),
        place(QStringLiteral("Rome"), 41.9, 12.5) };
    const SavedLocation oslo = place(QStringLiteral("Oslo centre"), 59.9104, 10.7496);
    EXPECT_TRUE(places::isFavorite(favorites, oslo));
    favorites = places::toggleFavorite(favorites, oslo);
    EXPECT_EQ(names(favorites), QStringList { QStringLiteral("Rome") });
    EXPECT_FALSE(places::isFavorite(favorites, oslo));
    favorites = places::toggleFavorite(favorites, oslo);
    EXPECT_EQ(names(favorites), (QStringList { QStringLiteral("Rome"), QStringLiteral("Oslo centre") }));

    const QList<SavedLocation> recents { place(QStringLiteral("Lima"), -12, -77), oslo };
    EXPECT_EQ(places::recentsAfterPick(recents, places::PickKind::Favorite, favorites.at(0)), recents);
    EXPECT_EQ(names(places::recentsAfterPick(recents, places::PickKind::Recent, oslo)),
        (QStringList { QStringLiteral("Oslo centre"), QStringLiteral("Lima") }));
    EXPECT_EQ(names(places::recentsAfterPick(recents, places::PickKind::SearchResult, favorites.at(0))).first(),
        QStringLiteral("Rome"));
}

TEST(PlaceListsTest, RowLabelsAndQmlMaps)
{
    SavedLocation full { QStringLiteral("Hobart"), QStringLiteral("Tasmania"), QStringLiteral("Australia"), -42.88,
        147.33, QStringLiteral("Australia/Hobart") };
    EXPECT_EQ(places::rowLabel(full), QStringLiteral("Hobart, Tasmania, Australia"));
    EXPECT_EQ(places::rowLabel(QStringLiteral("Hobart"), std::nullopt, QStringLiteral("Australia")),
        QStringLiteral("Hobart, Australia"));
    EXPECT_EQ(places::rowLabel(QStringLiteral("Hobart"), std::nullopt, std::nullopt), QStringLiteral("Hobart"));

    EXPECT_EQ(places::fromVariant(places::toVariant(full)), full);
    full.admin1.reset();
    const QVariantMap map = places::toVariant(full);
    EXPECT_FALSE(map.contains(QStringLiteral("admin1")));
    EXPECT_EQ(places::fromVariant(map), full);
    QVariantMap broken = map;
    broken.remove(QStringLiteral("timezone"));
    EXPECT_EQ(places::fromVariant(broken), std::nullopt);
    broken = map;
    broken.insert(QStringLiteral("latitude"), QStringLiteral("12"));
    EXPECT_EQ(places::fromVariant(broken), std::nullopt);
}
