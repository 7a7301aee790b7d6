// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/GeoResult.h"
#include "weather/QaPair.h"
#include "weather/SavedLocation.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {
QJsonValue parsed(const char *text)
{
    return QJsonDocument::fromJson(QByteArray(text)).object();
}
} // namespace

TEST(SavedLocationTest, DisplayLabelShowsTheRegionWhenThereIsOne)
{
    SavedLocation place { QStringLiteral("Portland"), QStringLiteral("Maine"), QStringLiteral("United States"), 43.66,
        -70.26, QStringLiteral("America/New_York") };
    EXPECT_EQ(place.displayLabel(), QStringLiteral("Portland, Maine"));
    place.admin1 = QString();
    EXPECT_EQ(place.displayLabel(), QStringLiteral("Portland, "));
    place.admin1.reset();
    EXPECT_EQ(place.displayLabel(), QStringLiteral("Portland"));
}

// Round trips and a missing time zone go through the settings store (SettingsStoreTest).
TEST(SavedLocationTest, JsonNeedsEveryKeyWithItsType)
{
    const auto malmo = SavedLocation::fromJson(
        parsed(R"({"name":"Malmö","admin1":null,"latitude":55.6,"longitude":13.0,"timezone":"Europe/Stockholm"})"));
    ASSERT_TRUE(malmo.has_value());
    EXPECT_FALSE(malmo->admin1.has_value()); // null reads as absent, and absent is not written
    EXPECT_FALSE(malmo->toJson().contains(QStringLiteral("admin1")));
    for (const char *bad : { R"({"latitude":1,"longitude":2,"timezone":"UTC"})",
             R"({"name":"A","latitude":"1","longitude":2,"timezone":"UTC"})",
             R"({"name":"A","admin1":5,"latitude":1,"longitude":2,"timezone":"UTC"})" }) {
        EXPECT_FALSE(SavedLocation::fromJson(parsed(bad)).has_value()) << bad;
    }
}

TEST(SavedLocationTest, SignedZeroIsTheSameAndAbsentDiffersFromEmpty)
{
    const SavedLocation a { QStringLiteral("Null Island"), std::nullopt, std::nullopt, 0.0, 0.0,
        QStringLiteral("UTC") };
    SavedLocation b = a;
    b.latitude = -0.0;
    EXPECT_EQ(a, b);
    EXPECT_EQ(qHash(a), qHash(b));
    b.admin1 = QString();
    EXPECT_NE(a, b);
}

TEST(GeoResultTest, DecodesWithTheSameRulesAndBecomesASavedPlace)
{
    const auto hit = GeoResult::fromJson(parsed(
        R"({"id":2756071,"name":"Enschede","latitude":52.21833,"longitude":6.89583,"timezone":"Europe/Amsterdam","country":"Netherlands"})"));
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->toSavedLocation(),
        (SavedLocation { QStringLiteral("Enschede"), std::nullopt, QStringLiteral("Netherlands"), 52.21833, 6.89583,
            QStringLiteral("Europe/Amsterdam") }));
    EXPECT_FALSE(GeoResult::fromJson(parsed(R"({"id":1.5,"name":"X","latitude":1,"longitude":2,"timezone":"UTC"})"))
                     .has_value());
}

TEST(QaPairTest, RequiresBothFields)
{
    EXPECT_FALSE(QaPair::fromJson(parsed(R"({"question":"q","answer":null})")).has_value());
}
