// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/SpcService.h"
#include "net/Clock.h"

#include "Await.h"
#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

using test_support::await;

namespace {

QString dayPath(int day)
{
    return QStringLiteral("/products/outlook/day%1otlk_cat.lyr.geojson").arg(day);
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

QJsonObject area(const QJsonValue &coordinates, const QJsonValue &dn, const QString &label,
    const QString &type = QStringLiteral("Polygon"))
{
    return { { QStringLiteral("geometry"),
                 QJsonObject { { QStringLiteral("type"), type }, { QStringLiteral("coordinates"), coordinates } } },
        { QStringLiteral("properties"),
            QJsonObject { { QStringLiteral("DN"), dn }, { QStringLiteral("LABEL"), label },
                { QStringLiteral("LABEL2"), label + QStringLiteral(" Risk") } } } };
}

const QJsonArray kBox = listOf({ ring(-100, 30, -90, 40) });

class SpcServiceTest : public ::testing::Test
{
protected:
    // The day-1 category at the place, every day serving the same features; empty when none.
    QString dayOne(const QJsonArray &features, double lat, double lon)
    {
        const QByteArray body = QJsonDocument(QJsonObject { { QStringLiteral("features"), features } }).toJson();
        for (int day = 1; day <= 3; ++day) {
            server.route(dayPath(day), FakeServer::json(body));
        }
        SpcService fresh(network, endpoints, clock);
        const auto days = await(fresh.convectiveOutlook(lat, lon));
        return days && !days->isEmpty() && days->first().day == 1 ? days->first().code : QString();
    }

    FakeServer server;
    QNetworkAccessManager network;
    Endpoints endpoints { .spc = server.baseUrl() };
    FixedClock clock { QDateTime(QDate(2026, 9, 25), QTime(17, 0), Qt::UTC) };
    SpcService service { network, endpoints, clock };
};

} // namespace

TEST_F(SpcServiceTest, OutsideTheCoverageBoxNothingIsAsked)
{
    server.route(dayPath(1), FakeServer::json(R"({"features":[]})"));
    EXPECT_EQ(await(service.convectiveOutlook(49.6, -95.0)), std::nullopt);
    EXPECT_EQ(await(service.convectiveOutlookText(20.0, -95.0)), std::nullopt);
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(await(service.convectiveOutlook(49.5, -66.5)).has_value());
    EXPECT_EQ(server.requests().size(), 3);
}

TEST_F(SpcServiceTest, TheHighestCategoryWhoseAreaHoldsThePlace)
{
    const QJsonArray nested { area(kBox, 2, QStringLiteral("TSTM")),
        area(listOf({ ring(-96, 34, -94, 36) }), 4, QStringLiteral("SLGT")),
        area(listOf({ ring(-98, 32, -92, 38) }), 3, QStringLiteral("MRGL")) };
    EXPECT_EQ(dayOne(nested, 35, -95), QStringLiteral("SLGT"));
    EXPECT_EQ(dayOne(nested, 33, -97), QStringLiteral("MRGL"));

    const QJsonArray withHole { area(
        listOf({ ring(-100, 30, -90, 40), ring(-97, 33, -93, 37) }), 1, QStringLiteral("MRGL")) };
    EXPECT_EQ(dayOne(withHole, 35, -95), QString()) << "inside the hole";
    EXPECT_EQ(dayOne(withHole, 31, -95), QStringLiteral("MRGL"));

    const QJsonArray disjoint { area(
        listOf({ listOf({ ring(-100, 30, -98, 32) }), listOf({ ring(-90, 40, -88, 42) }) }), 2, QStringLiteral("SLGT"),
        QStringLiteral("MultiPolygon")) };
    EXPECT_EQ(dayOne(disjoint, 31, -99), QStringLiteral("SLGT"));
    EXPECT_EQ(dayOne(disjoint, 41, -89), QStringLiteral("SLGT"));
    EXPECT_EQ(dayOne(disjoint, 36, -94), QString());

    SCOPED_TRACE("a bad feature drops only itself");
    const QJsonArray messyRing { QJsonArray { -100, 30 }, QJsonArray { -90 }, QJsonValue::Null, QJsonArray { -90, 30 },
        QJsonArray { -90, 40, 0 }, QJsonArray { -100, 40 } };
    EXPECT_EQ(dayOne({ QStringLiteral("not a feature"),
                         QJsonObject { { QStringLiteral("properties"), QJsonObject { { QStringLiteral("DN"), 8 } } } },
                         area(QJsonArray { -95, 35 }, 7, QStringLiteral("HIGH"), QStringLiteral("Point")),
                         area(QJsonArray { QStringLiteral("not a ring"), 5 }, 6, QStringLiteral("HIGH")),
                         area(listOf({ messyRing }), 1, QStringLiteral("MRGL")) },
                  35, -95),
        QStringLiteral("MRGL"));
}

TEST_F(SpcServiceTest, RealOutlookAndModelText)
{
    server.route(dayPath(1),
        FakeServer::fromFile(QStringLiteral("spc_day1otlk_cat_20260925_1630_nolyr_TRIMMED_geometry.geojson")));
    server.route(dayPath(2), FakeServer::json("busy", 503));
    server.route(dayPath(3), FakeServer::json("{\"features\": [", 200));
    EXPECT_EQ(await(service.convectiveOutlookText(32.4, -108.61)),
        QStringLiteral("SPC convective (severe thunderstorm) outlook for this location:\n"
                       "- Day 1 (today): General Thunderstorms Risk (non-severe)\n"
                       "- Day 2 (tomorrow): no thunderstorm outlook area\n"
                       "- Day 3: no thunderstorm outlook area"));
    EXPECT_EQ(await(service.convectiveOutlook(32.4, -108.63)), QList<SpcOutlookDay> {}) << "just outside the ring";
    EXPECT_EQ(SpcService::modelText({ { 2, QStringLiteral("MDT"), QStringLiteral("Moderate Risk"), 4 } }),
        QStringLiteral("SPC convective (severe thunderstorm) outlook for this location:\n"
                       "- Day 1 (today): no thunderstorm outlook area\n"
                       "- Day 2 (tomorrow): Moderate Risk (severe risk level 4 of 5)\n"
                       "- Day 3: no thunderstorm outlook area"));
}

TEST_F(SpcServiceTest, FailedDaysAreAskedAgainAndTheRestKeptForHalfAnHour)
{
    server.route(dayPath(1), FakeServer::json(R"({"type":"FeatureCollection"})"));
    server.route(dayPath(2), FakeServer::json("busy", 503));
    server.route(dayPath(3), FakeServer::json("busy", 503));
    const auto days = await(service.convectiveOutlook(35, -95));
    ASSERT_TRUE(days.has_value()) << "a day without features still counts as fetched";
    EXPECT_EQ(SpcService::modelText(*days).count(QStringLiteral("no thunderstorm outlook area")), 3);
    clock.advance(1799);
    (void)await(service.convectiveOutlook(36, -96));
    EXPECT_EQ(server.count(dayPath(1)), 1);
    EXPECT_EQ(server.count(dayPath(3)), 2);
    clock.advance(1);
    server.route(dayPath(1), FakeServer::json("[]"));
    EXPECT_EQ(await(service.convectiveOutlook(35, -95)), std::nullopt) << "no day could be had";
    EXPECT_EQ(server.count(dayPath(1)), 2);
}
