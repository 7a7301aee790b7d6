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

TEST(PlaceLists, RecentsAreNewestFirstUniqueAndAtMostTen)
{
    QList<SavedLocation> recents;
    for (int i = 1; i <= 11; ++i) {
        recents = places::addRecent(recents, place(QString::number(i), i, i));
    }
    ASSERT_EQ(recents.size(), 10);
    EXPECT_EQ(names(recents).first(), QStringLiteral("11"));
    EXPECT_EQ(names(recents).last(), QStringLiteral("2")) << "the eleventh pushes out the oldest";

    recents = places::addRecent(recents, place(QStringLiteral("five again"), 5.0005, 4.9995));
    EXPECT_EQ(recents.size(), 10);
    EXPECT_EQ(names(recents).first(), QStringLiteral("five again"));
    EXPECT_FALSE(names(recents).contains(QStringLiteral("5"))) << "0.0005° away is the same place";

    recents = places::addRecent(recents, place(QStringLiteral("near eight"), 8.001, 8));
    EXPECT_TRUE(names(recents).contains(QStringLiteral("8"))) << "0.001° away is another place";
}

TEST(PlaceLists, FavouritesAndPicks)
{
    QList<SavedLocation> favorites { place(QStringLiteral("Oslo"), 59.91, 10.75),
        place(QStringLiteral("Rome"), 41.9, 12.5) };
    const SavedLocation oslo = place(QStringLiteral("Oslo centre"), 59.9104, 10.7496);
    EXPECT_TRUE(places::isFavorite(favorites, oslo));
    favorites = places::toggleFavorite(favorites, oslo);
    EXPECT_EQ(names(favorites), QStringList { QStringLiteral("Rome") });
    favorites = places::toggleFavorite(favorites, oslo);
    EXPECT_EQ(names(favorites), (QStringList { QStringLiteral("Rome"), QStringLiteral("Oslo centre") }));

    const QList<SavedLocation> recents { place(QStringLiteral("Lima"), -12, -77), oslo };
    EXPECT_EQ(places::recentsAfterPick(recents, places::PickKind::Favorite, favorites.at(0)), recents);
    EXPECT_EQ(names(places::recentsAfterPick(recents, places::PickKind::Recent, oslo)),
        (QStringList { QStringLiteral("Oslo centre"), QStringLiteral("Lima") }));
    EXPECT_EQ(names(places::recentsAfterPick(recents, places::PickKind::SearchResult, favorites.at(0))).first(),
        QStringLiteral("Rome"));
}

TEST(PlaceLists, RowLabelsAndQmlMaps)
{
    SavedLocation hobart { QStringLiteral("Hobart"), std::nullopt, QStringLiteral("Australia"), -42.88, 147.33,
        QStringLiteral("Australia/Hobart") };
    EXPECT_EQ(places::rowLabel(hobart), QStringLiteral("Hobart, Australia"));
    QVariantMap map = places::toVariant(hobart);
    EXPECT_FALSE(map.contains(QStringLiteral("admin1")));
    EXPECT_EQ(places::fromVariant(map), hobart);
    map.insert(QStringLiteral("latitude"), QStringLiteral("12"));
    EXPECT_EQ(places::fromVariant(map), std::nullopt);
}
