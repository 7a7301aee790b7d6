// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/SpcService.h"
#include "net/Clock.h"

#include "Await.h"
#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

#include <cmath>

using test_support::await;

namespace {

QString dayPath(int day)
{
    return QStringLiteral("/spc/products/outlook/day%1otlk_cat.lyr.geojson").arg(day);
}

QJsonArray ring(double x0, double y0, double x1, double y1)
{
    return QJsonArray { QJsonArray { x0, y0 }, QJsonArray { x1, y0 }, QJsonArray { x1, y1 }, QJsonArray { x0, y1 },
        QJsonArray { x0, y0 } };
}

// A list of lists, built by appending: braces around one QJsonArray would copy it instead.
QJsonArray listOf(std::initializer_list<QJsonArray> members)
{
    QJsonArray out;
    for (const QJsonArray &m : members) {
        out.append(m);
    }
    return out;
}

QJsonObject polygon(std::initializer_list<QJsonArray> rings)
{
    return { { QStringLiteral("type"), QStringLiteral("Polygon") }, { QStringLiteral("coordinates"), listOf(rings) } };
}

QJsonObject area(const QJsonObject &geometry, const QJsonValue &dn, const QString &label,
    const QJsonValue &label2 = QJsonValue::Undefined)
{
    QJsonObject properties { { QStringLiteral("DN"), dn }, { QStringLiteral("LABEL"), label } };
    if (!label2.isUndefined()) {
        properties.insert(QStringLiteral("LABEL2"), label2);
    }
    return { { QStringLiteral("type"), QStringLiteral("Feature") }, { QStringLiteral("geometry"), geometry },
        { QStringLiteral("properties"), properties } };
}

FakeServer::Response outlook(const QJsonArray &features)
{
    return FakeServer::json(QJsonDocument(
        QJsonObject { { QStringLiteral("type"), QStringLiteral("FeatureCollection") },
            { QStringLiteral("features"),
                features } }).toJson(QJsonDocument::Compact));
}

class SpcServiceTest : public ::testing::Test
{
protected:
    SpcServiceTest()
        : clock(QDateTime(QDate(2026, 9, 25), QTime(17, 0), Qt::UTC))
    {
        Endpoints endpoints;
        endpoints.spc = server.baseUrl() + QStringLiteral("/spc");
        service = std::make_unique<SpcService>(network, endpoints, clock);
    }

    void serveAllDays(const FakeServer::Response &response)
    {
        for (int day = 1; day <= 3; ++day) {
            server.route(dayPath(day), response);
        }
    }

    // The day-1 record at the place, with every day serving the same features.
    std::optional<SpcOutlookDay> dayOne(const QJsonArray &features, double lat, double lon)
    {
        serveAllDays(outlook(features));
        service = std::make_unique<SpcService>(
            network, Endpoints { .spc = server.baseUrl() + QStringLiteral("/spc") }, clock);
        const auto days = await(service->convectiveOutlook(lat, lon));
        if (!days || days->isEmpty() || days->first().day != 1) {
            return std::nullopt;
        }
        return days->first();
    }

    FakeServer server;
    QNetworkAccessManager network;
    FixedClock clock;
    std::unique_ptr<SpcService> service;
};

} // namespace

TEST_F(SpcServiceTest, CoverageBoxIsAnsweredWithoutARequest)
{
    serveAllDays(outlook({ area(polygon({ ring(-70, 45, -60, 55) }), 1, QStringLiteral("MRGL")) }));
    EXPECT_EQ(await(service->convectiveOutlook(49.6, -95.0)), std::nullopt);
    EXPECT_EQ(await(service->convectiveOutlookText(20.0, -95.0)), std::nullopt);
    EXPECT_TRUE(server.requests().isEmpty());

    const auto days = await(service->convectiveOutlook(49.5, -66.5));
    ASSERT_TRUE(days.has_value());
    EXPECT_EQ(days->size(), 3);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3);
    EXPECT_EQ(requests[0].path, dayPath(1));
    EXPECT_EQ(requests[1].path, dayPath(2));
    EXPECT_EQ(requests[2].path, dayPath(3));
}

TEST_F(SpcServiceTest, HighestCategoryAtThePlaceWins)
{
    const QJsonArray nested {
        area(polygon({ ring(-100, 30, -90, 40) }), 2, QStringLiteral("TSTM"),
            QStringLiteral("General Thunderstorms Risk")),
        area(polygon({ ring(-96, 34, -94, 36) }), 4, QStringLiteral("SLGT"), QStringLiteral("Slight Risk")),
        area(polygon({ ring(-98, 32, -92, 38) }), 3, QStringLiteral("MRGL"), QStringLiteral("Marginal Risk")),
    };
    std::optional<SpcOutlookDay> day = dayOne(nested, 35, -95);
    ASSERT_TRUE(day.has_value());
    EXPECT_EQ(*day, (SpcOutlookDay { 1, QStringLiteral("SLGT"), QStringLiteral("Slight Risk"), 2 }));
    day = dayOne(nested, 33, -97);
    ASSERT_TRUE(day.has_value());
    EXPECT_EQ(day->code, QStringLiteral("MRGL"));

    SCOPED_TRACE("equal DN keeps file order; a fractional DN is truncated, a text DN is 0");
    const QJsonArray ties {
        area(polygon({ ring(-100, 30, -90, 40) }), QStringLiteral("9"), QStringLiteral("HIGH")),
        area(polygon({ ring(-100, 30, -90, 40) }), 2.9, QStringLiteral("ENH")),
        area(polygon({ ring(-100, 30, -90, 40) }), 2, QStringLiteral("MDT")),
    };
    day = dayOne(ties, 35, -95);
    ASSERT_TRUE(day.has_value());
    EXPECT_EQ(*day, (SpcOutlookDay { 1, QStringLiteral("ENH"), QStringLiteral("ENH"), 3 }))
        << "no LABEL2: the label is LABEL";
}

TEST_F(SpcServiceTest, HolesAndMultiPolygons)
{
    const QJsonArray withHole { area(
        polygon({ ring(-100, 30, -90, 40), ring(-97, 33, -93, 37) }), 1, QStringLiteral("MRGL")) };
    EXPECT_EQ(dayOne(withHole, 35, -95), std::nullopt) << "inside the hole";
    EXPECT_TRUE(dayOne(withHole, 31, -95).has_value()) << "between the rings";

    const QJsonObject multi { { QStringLiteral("type"), QStringLiteral("MultiPolygon") },
        { QStringLiteral("coordinates"),
            listOf({ listOf({ ring(-100, 30, -98, 32) }), listOf({ ring(-90, 40, -88, 42) }) }) } };
    const QJsonArray disjoint { area(multi, 2, QStringLiteral("SLGT")) };
    EXPECT_TRUE(dayOne(disjoint, 31, -99).has_value());
    EXPECT_TRUE(dayOne(disjoint, 41, -89).has_value());
    EXPECT_EQ(dayOne(disjoint, 36, -94), std::nullopt);
}

TEST_F(SpcServiceTest, RealOutlookFile)
{
    serveAllDays(FakeServer::fromFile(QStringLiteral("spc_day1otlk_cat_20260925_1630_nolyr_TRIMMED_geometry.geojson")));
    const auto days = await(service->convectiveOutlook(32.4, -108.61));
    ASSERT_TRUE(days.has_value());
    ASSERT_EQ(days->size(), 3);
    EXPECT_EQ(
        days->first(), (SpcOutlookDay { 1, QStringLiteral("TSTM"), QStringLiteral("General Thunderstorms Risk"), 0 }));
    EXPECT_EQ(SpcService::modelText(*days),
        QStringLiteral("SPC convective (severe thunderstorm) outlook for this location:\n"
                       "- Day 1 (today): General Thunderstorms Risk (non-severe)\n"
                       "- Day 2 (tomorrow): General Thunderstorms Risk (non-severe)\n"
                       "- Day 3: General Thunderstorms Risk (non-severe)"));
    EXPECT_EQ(await(service->convectiveOutlook(32.4, -108.63)), QList<SpcOutlookDay> {}) << "just outside the ring";
}

TEST_F(SpcServiceTest, MalformedFeaturesDropOnlyThemselves)
{
    QJsonObject noProperties = area(polygon({ ring(-100, 30, -90, 40) }), 0, QString());
    noProperties.remove(QStringLiteral("properties"));
    const QJsonArray messyRing { QJsonArray { -100, 30 }, QJsonArray { -90 },
        QJsonArray { QStringLiteral("a"), QStringLiteral("b") }, QJsonValue::Null, QJsonArray { -90, 30 },
        QJsonArray { -90, 40, 0 }, QJsonArray { -100, 40 } };
    const QJsonArray features {
        QStringLiteral("not a feature"),
        QJsonObject { { QStringLiteral("properties"),
            QJsonObject { { QStringLiteral("DN"), 8 }, { QStringLiteral("LABEL"), QStringLiteral("HIGH") } } } },
        area(QJsonObject { { QStringLiteral("type"), QStringLiteral("Point") },
                 { QStringLiteral("coordinates"), QJsonArray { -95, 35 } } },
            7, QStringLiteral("HIGH")),
        area(QJsonObject { { QStringLiteral("type"), QStringLiteral("Polygon") },
                 { QStringLiteral("coordinates"), QJsonArray { QStringLiteral("not a ring"), 5 } } },
            6, QStringLiteral("HIGH")),
        area(QJsonObject { { QStringLiteral("coordinates"), listOf({ ring(-100, 30, -90, 40) }) } }, 6,
            QStringLiteral("HIGH")),
        noProperties,
        area(polygon({ messyRing }), 1, QStringLiteral("MRGL"), QStringLiteral("Marginal Risk")),
    };
    const std::optional<SpcOutlookDay> day = dayOne(features, 35, -95);
    ASSERT_TRUE(day.has_value());
    EXPECT_EQ(*day, (SpcOutlookDay { 1, QStringLiteral("MRGL"), QStringLiteral("Marginal Risk"), 1 }));

    SCOPED_TRACE("the chosen area without a LABEL adds nothing for the day");
    EXPECT_EQ(dayOne({ noProperties }, 35, -95), std::nullopt);
}

TEST_F(SpcServiceTest, FailedDaysAreSkipped)
{
    server.route(dayPath(1), FakeServer::json(R"({"type":"FeatureCollection"})"));
    server.route(dayPath(2), FakeServer::json("busy", 503));
    server.route(dayPath(3), FakeServer::json("{\"features\": [", 200));
    const auto days = await(service->convectiveOutlook(35, -95));
    ASSERT_TRUE(days.has_value()) << "a day without features still counts as fetched";
    EXPECT_TRUE(days->isEmpty());
    EXPECT_EQ(SpcService::modelText(*days),
        QStringLiteral("SPC convective (severe thunderstorm) outlook for this location:\n"
                       "- Day 1 (today): no thunderstorm outlook area\n"
                       "- Day 2 (tomorrow): no thunderstorm outlook area\n"
                       "- Day 3: no thunderstorm outlook area"));

    server.route(dayPath(1), FakeServer::json("[]"));
    clock.advance(1800);
    EXPECT_EQ(await(service->convectiveOutlook(35, -95)), std::nullopt) << "no day could be had";
}

TEST_F(SpcServiceTest, DaysAreKeptForHalfAnHour)
{
    serveAllDays(outlook(
        { area(polygon({ ring(-100, 30, -90, 40) }), 3, QStringLiteral("ENH"), QStringLiteral("Enhanced Risk")) }));
    server.route(dayPath(3), FakeServer::json("{}", 500));
    (void)await(service->convectiveOutlook(35, -95));
    clock.advance(1799);
    const auto days = await(service->convectiveOutlook(36, -96));
    ASSERT_TRUE(days.has_value());
    EXPECT_EQ(days->size(), 2);
    EXPECT_EQ(server.count(dayPath(1)), 1);
    EXPECT_EQ(server.count(dayPath(3)), 2) << "a failed day is asked again";
    clock.advance(1);
    (void)await(service->convectiveOutlook(35, -95));
    EXPECT_EQ(server.count(dayPath(1)), 2);
}

TEST(SpcPhrasing, LevelsAndMissingDays)
{
    EXPECT_EQ(SpcService::modelText({ { 2, QStringLiteral("MDT"), QStringLiteral("Moderate Risk"), 4 },
                  { 3, QStringLiteral("XYZ"), QStringLiteral("Odd"), 0 } }),
        QStringLiteral("SPC convective (severe thunderstorm) outlook for this location:\n"
                       "- Day 1 (today): no thunderstorm outlook area\n"
                       "- Day 2 (tomorrow): Moderate Risk (severe risk level 4 of 5)\n"
                       "- Day 3: Odd (non-severe)"));
    EXPECT_EQ(SpcService::riskLevel(QStringLiteral("HIGH")), 5);
    EXPECT_EQ(SpcService::riskLevel(QStringLiteral("high")), 0);
}

TEST(SpcGeometry, BoxShortcutAgreesWithTheFullTest)
{
    // A star with a hole, sampled on a grid that runs past its box on every side.
    QJsonArray outer;
    for (int i = 0; i <= 40; ++i) {
        const double a = i * M_PI / 20;
        const double r = (i % 2) ? 3.0 : 6.0;
        outer.append(QJsonArray { -95 + r * std::cos(a), 35 + r * std::sin(a) });
    }
    const QJsonObject feature = area(polygon({ outer, ring(-96, 34, -94, 36) }), 1, QStringLiteral("MRGL"));
    const std::optional<SpcOutlookArea> shape = SpcOutlookArea::fromFeature(feature);
    ASSERT_TRUE(shape.has_value());
    int inside = 0;
    for (double y = 28; y <= 42; y += 0.25) {
        for (double x = -102; x <= -88; x += 0.25) {
            const bool full = evenOddContains(shape->rings, x, y);
            ASSERT_EQ(shape->contains(x, y), full) << x << "," << y;
            inside += full ? 1 : 0;
        }
    }
    EXPECT_GT(inside, 100);
}
