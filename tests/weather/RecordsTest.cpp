// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/GeoResult.h"
#include "weather/QaPair.h"
#include "weather/SavedLocation.h"

#include <QJsonDocument>
#include <QSet>

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

TEST(SavedLocationTest, JsonRoundTripAndRequiredKeys)
{
    const auto minimal = SavedLocation::fromJson(
        parsed(R"({"name":"Malmö","admin1":null,"latitude":55.6,"longitude":13.0,"timezone":"Europe/Stockholm"})"));
    ASSERT_TRUE(minimal.has_value());
    EXPECT_FALSE(minimal->admin1.has_value()); // null reads as absent, and absent is not written
    EXPECT_FALSE(minimal->toJson().contains(QStringLiteral("admin1")));
    EXPECT_EQ(SavedLocation::fromJson(minimal->toJson()), minimal);
    const auto full = SavedLocation::fromJson(parsed(
        R"({"name":"Daejeon","admin1":"Daejeon","country":"South Korea","latitude":36,"longitude":127.4,"timezone":"Asia/Seoul"})"));
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(SavedLocation::fromJson(full->toJson()), full);

    for (const char *bad : { R"({"name":"A","latitude":1,"longitude":2})", // no timezone
             R"({"latitude":1,"longitude":2,"timezone":"UTC"})", // no name
             R"({"name":"A","latitude":"1","longitude":2,"timezone":"UTC"})",
             R"({"name":"A","admin1":5,"latitude":1,"longitude":2,"timezone":"UTC"})" }) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(SavedLocation::fromJson(parsed(bad)).has_value());
    }
}

TEST(SavedLocationTest, EqualityAndHashCoverEveryFieldAndTreatSignedZeroAlike)
{
    const SavedLocation a { QStringLiteral("Null Island"), std::nullopt, std::nullopt, 0.0, 0.0,
        QStringLiteral("UTC") };
    SavedLocation b = a;
    b.latitude = -0.0;
    EXPECT_EQ(a, b);
    EXPECT_EQ(qHash(a), qHash(b));
    SavedLocation c = a;
    c.admin1 = QString();
    EXPECT_NE(a, c); // absent differs from empty
    EXPECT_EQ(QSet<SavedLocation>({ a, b, c }).size(), 2);

    SavedLocation near = a;
    near.latitude = 0.0009;
    EXPECT_TRUE(a.isSamePlace(near));
    near.latitude = 0.001;
    EXPECT_FALSE(a.isSamePlace(near));
}

TEST(GeoResultTest, DecodesWithTheSameRulesAndBecomesASavedPlace)
{
    const auto hit = GeoResult::fromJson(parsed(
        R"({"id":2756071,"name":"Enschede","latitude":52.21833,"longitude":6.89583,"timezone":"Europe/Amsterdam","country":"Netherlands"})"));
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(GeoResult::fromJson(hit->toJson()), hit);
    EXPECT_EQ(hit->toSavedLocation(),
        (SavedLocation { QStringLiteral("Enschede"), std::nullopt, QStringLiteral("Netherlands"), 52.21833, 6.89583,
            QStringLiteral("Europe/Amsterdam") }));
    EXPECT_FALSE(GeoResult::fromJson(parsed(R"({"id":1.5,"name":"X","latitude":1,"longitude":2,"timezone":"UTC"})"))
                     .has_value());
}

TEST(QaPairTest, RequiresBothFields)
{
    const QaPair pair { QStringLiteral("Will it rain?"), QStringLiteral("Not until Thursday.") };
    EXPECT_EQ(QaPair::fromJson(pair.toJson()), pair);
    EXPECT_FALSE(QaPair::fromJson(parsed(R"({"question":"q","answer":null})")).has_value());
}
