// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/NwsService.h"
#include "net/AppError.h"
#include "net/Clock.h"

#include "Await.h"
#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

using test_support::await;

namespace {

const QString kAlerts = QStringLiteral("/alerts/active");

QJsonObject feature(const QJsonObject &properties)
{
    return QJsonObject { { QStringLiteral("type"), QStringLiteral("Feature") },
        { QStringLiteral("properties"), properties } };
}

QJsonObject alert(const QString &id, const QString &severity, const QString &status = QStringLiteral("Actual"),
    const QString &messageType = QStringLiteral("Alert"))
{
    return QJsonObject { { QStringLiteral("id"), id }, { QStringLiteral("event"), QStringLiteral("Event ") + id },
        { QStringLiteral("severity"), severity }, { QStringLiteral("status"), status },
        { QStringLiteral("messageType"), messageType } };
}

QByteArray feed(const QJsonArray &features)
{
    return QJsonDocument(QJsonObject { { QStringLiteral("type"), QStringLiteral("FeatureCollection") },
                             { QStringLiteral("features"), features } })
        .toJson(QJsonDocument::Compact);
}

QStringList ids(const QList<NwsAlert> &alerts)
{
    QStringList out;
    for (const NwsAlert &a : alerts) {
        out.append(a.id);
    }
    return out;
}

class NwsServiceTest : public ::testing::Test
{
protected:
    NwsServiceTest()
        : clock(QDateTime(QDate(2026, 4, 15), QTime(12, 0), Qt::UTC))
    {
        Endpoints endpoints;
        endpoints.nws = server.baseUrl() + QStringLiteral("/nws");
        service = std::make_unique<NwsService>(network, endpoints, clock);
    }

    QList<NwsAlert> alertsFor(const QByteArray &body, int status = 200)
    {
        server.route(QStringLiteral("/nws") + kAlerts, FakeServer::json(body, status));
        return await(service->activeAlerts(40.7123, -74.0059));
    }

    FakeServer server;
    QNetworkAccessManager network;
    FixedClock clock;
    std::unique_ptr<NwsService> service;
};

} // namespace

TEST_F(NwsServiceTest, AlertRequestCarriesThePointAndTheTwoHeaders)
{
    alertsFor(feed({}));
    const auto requests = server.requests(QStringLiteral("/nws") + kAlerts);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].queryValue(QStringLiteral("point")), QStringLiteral("40.7123,-74.0059"));
    EXPECT_EQ(requests[0].headers.value(QStringLiteral("user-agent")), QStringLiteral("Merrin Vale app (merrin-vale)"));
    EXPECT_EQ(requests[0].headers.value(QStringLiteral("accept")), QStringLiteral("application/geo+json"));
}

TEST_F(NwsServiceTest, KeepsActualAlertsThatAreNotCancelled)
{
    QJsonObject noType = alert(QStringLiteral("no-type"), QStringLiteral("Minor"));
    noType.remove(QStringLiteral("messageType"));
    const QList<NwsAlert> alerts = alertsFor(feed({
        feature(alert(QStringLiteral("exercise"), QStringLiteral("Minor"), QStringLiteral("Exercise"))),
        feature(alert(QStringLiteral("test"), QStringLiteral("Minor"), QStringLiteral("Test"))),
        feature(alert(
            QStringLiteral("cancel"), QStringLiteral("Minor"), QStringLiteral("Actual"), QStringLiteral("Cancel"))),
        feature(alert(
            QStringLiteral("update"), QStringLiteral("Minor"), QStringLiteral("Actual"), QStringLiteral("Update"))),
        feature(alert(QStringLiteral("alert"), QStringLiteral("Minor"))),
        feature(noType),
    }));
    EXPECT_EQ(
        ids(alerts), (QStringList { QStringLiteral("update"), QStringLiteral("alert"), QStringLiteral("no-type") }));
}

TEST_F(NwsServiceTest, OrdersBySeverityKeepingFeedOrderAmongEquals)
{
    {
        SCOPED_TRACE("Minor, Extreme, Moderate, Extreme");
        const QList<NwsAlert> alerts = alertsFor(feed({
            feature(alert(QStringLiteral("a"), QStringLiteral("Minor"))),
            feature(alert(QStringLiteral("b"), QStringLiteral("Extreme"))),
            feature(alert(QStringLiteral("c"), QStringLiteral("Moderate"))),
            feature(alert(QStringLiteral("d"), QStringLiteral("Extreme"))),
        }));
        EXPECT_EQ(ids(alerts),
            (QStringList { QStringLiteral("b"), QStringLiteral("d"), QStringLiteral("c"), QStringLiteral("a") }));
    }
    {
        SCOPED_TRACE("a missing severity reads as Unknown, after Minor");
        QJsonObject unknown = alert(QStringLiteral("u"), QString());
        unknown.remove(QStringLiteral("severity"));
        const QList<NwsAlert> alerts =
            alertsFor(feed({ feature(unknown), feature(alert(QStringLiteral("m"), QStringLiteral("Minor"))),
                feature(alert(QStringLiteral("s"), QStringLiteral("Severe"))) }));
        EXPECT_EQ(ids(alerts), (QStringList { QStringLiteral("s"), QStringLiteral("m"), QStringLiteral("u") }));
        EXPECT_EQ(alerts.value(2).severity, QStringLiteral("Unknown"));
    }
}

TEST_F(NwsServiceTest, RealFeedFieldsAndFallbacks)
{
    const QList<NwsAlert> alerts = alertsFor(testData(QStringLiteral("nws_alerts_active_phoenix_2024_heat_aqa.json")));
    ASSERT_EQ(alerts.size(), 2);
    const NwsAlert &heat = alerts[0];
    EXPECT_EQ(heat.event, QStringLiteral("Excessive Heat Warning"));
    EXPECT_EQ(heat.severity, QStringLiteral("Severe"));
    EXPECT_EQ(heat.onset, QStringLiteral("2024-07-19T10:00:00-07:00"));
    EXPECT_EQ(heat.ends, QStringLiteral("2024-07-20T20:00:00-07:00"));
    EXPECT_TRUE(heat.headline.has_value());
    EXPECT_TRUE(heat.description.startsWith(QStringLiteral("* WHAT...Dangerously hot conditions.")));

    const NwsAlert &air = alerts[1];
    EXPECT_EQ(air.event, QStringLiteral("Air Quality Alert"));
    EXPECT_EQ(air.severity, QStringLiteral("Unknown"));
    EXPECT_EQ(air.ends, QStringLiteral("2024-07-19T21:00:00-07:00")) << "\"ends\": null falls back to \"expires\"";

    const QList<NwsAlert> utah =
        alertsFor(testData(QStringLiteral("nws_alerts_active_area_UT_2022-08_flash_flood.json")));
    EXPECT_EQ(utah.size(), 5);
}

TEST_F(NwsServiceTest, MissingFieldsGetTheirDefaults)
{
    const QList<NwsAlert> alerts = alertsFor(feed({ feature(QJsonObject { { QStringLiteral("id"), QStringLiteral("x") },
        { QStringLiteral("event"), QStringLiteral("Fog") }, { QStringLiteral("status"), QStringLiteral("Actual") },
        { QStringLiteral("headline"), 3 }, { QStringLiteral("ends"), QJsonValue::Null } }) }));
    ASSERT_EQ(alerts.size(), 1);
    const NwsAlert &a = alerts[0];
    EXPECT_EQ(a.severity, QStringLiteral("Unknown"));
    EXPECT_EQ(a.headline, std::nullopt);
    EXPECT_EQ(a.description, QString());
    EXPECT_EQ(a.instruction, std::nullopt);
    EXPECT_EQ(a.onset, std::nullopt);
    EXPECT_EQ(a.ends, std::nullopt);
    EXPECT_EQ(a.senderName, QStringLiteral("NWS"));
    EXPECT_EQ(a.areaDesc, QString());
}

TEST_F(NwsServiceTest, MalformedFeaturesDropOneByOne)
{
    QJsonObject noId = alert(QStringLiteral("x"), QStringLiteral("Minor"));
    noId.remove(QStringLiteral("id"));
    QJsonObject numericEvent = alert(QStringLiteral("y"), QStringLiteral("Minor"));
    numericEvent.insert(QStringLiteral("event"), 7);
    QJsonObject statusMissing = alert(QStringLiteral("z"), QStringLiteral("Minor"));
    statusMissing.remove(QStringLiteral("status"));
    const QList<NwsAlert> alerts = alertsFor(feed({
        QJsonObject { { QStringLiteral("type"), QStringLiteral("Feature") } },
        QStringLiteral("not an object"),
        QJsonObject { { QStringLiteral("properties"), QJsonArray { 1, 2 } } },
        feature(noId),
        feature(numericEvent),
        feature(statusMissing),
        feature(alert(QStringLiteral("good"), QStringLiteral("Moderate"))),
    }));
    EXPECT_EQ(ids(alerts), QStringList { QStringLiteral("good") });
}

TEST_F(NwsServiceTest, AlertFailuresGiveAnEmptyList)
{
    for (const auto &[body, status] :
        QList<std::pair<QByteArray, int>> { { "{}", 200 }, { R"({"features":{"a":1}})", 200 }, { "[1,2]", 200 },
            { "{\"features\": [", 200 }, { "", 404 }, { R"({"title":"Unexpected Problem"})", 500 } }) {
        SCOPED_TRACE(body.toStdString() + " " + std::to_string(status));
        EXPECT_TRUE(alertsFor(body, status).isEmpty());
    }
    FakeServer::Response hangUp = FakeServer::json(feed({}));
    hangUp.misbehavior = FakeServer::Misbehavior::CloseConnection;
    server.route(QStringLiteral("/nws") + kAlerts, hangUp);
    EXPECT_TRUE(await(service->activeAlerts(1, 2)).isEmpty());
}

TEST_F(NwsServiceTest, LargeFeedIsReadWhole)
{
    // About 2 MB: 1500 alerts with long descriptions.
    QJsonArray features;
    const QString description = QStringLiteral("Heavy rain. ").repeated(100);
    for (int i = 0; i < 1500; ++i) {
        QJsonObject p = alert(QString::number(i), i % 2 ? QStringLiteral("Minor") : QStringLiteral("Severe"));
        p.insert(QStringLiteral("description"), description);
        features.append(feature(p));
    }
    const QByteArray body = feed(features);
    ASSERT_GT(body.size(), 1'900'000);
    const QList<NwsAlert> alerts = alertsFor(body);
    ASSERT_EQ(alerts.size(), 1500);
    EXPECT_EQ(alerts.first().id, QStringLiteral("0"));
    EXPECT_EQ(alerts.last().id, QStringLiteral("1499"));
}

TEST_F(NwsServiceTest, FetchJsonStatusRules)
{
    const QString path = QStringLiteral("/nws/x");
    const QUrl url(server.baseUrl() + path);
    server.route(path, FakeServer::json("{\"title\":\"Bad\"}", 400));
    EXPECT_EQ(await(service->fetchJSON(url)), std::nullopt);
    server.route(path, FakeServer::json("{\"title\":\"Not Found\"}", 404));
    EXPECT_EQ(await(service->fetchJSON(url)), std::nullopt);
    server.route(path, FakeServer::json("[1]", 200));
    EXPECT_EQ(await(service->fetchJSON(url)), std::nullopt);
    server.route(path, FakeServer::json("{\"a\":1}", 200));
    EXPECT_EQ(await(service->fetchJSON(url)), (QJsonObject { { QStringLiteral("a"), 1 } }));

    server.route(path, FakeServer::json(R"({"title":"Unexpected Problem","status":503})", 503));
    try {
        (void)await(service->fetchJSON(url));
        ADD_FAILURE() << "a 503 must fail";
    } catch (const HttpError &e) {
        EXPECT_EQ(e.kind(), HttpError::Kind::BadStatus);
        EXPECT_EQ(e.description(), QStringLiteral("Request failed (503)")) << "the body is not carried";
    }
    server.route(path, FakeServer::json("not json", 200));
    EXPECT_THROW((void)await(service->fetchJSON(url)), JsonError);
}

TEST_F(NwsServiceTest, ForecastOfficeIsSharedByPointsThatAgreeToTwoDecimals)
{
    server.route(QStringLiteral("/nws/points/40.7123,-74.0059"),
        FakeServer::fromFile(QStringLiteral("nws_points_30_-85_TAE.json")));
    server.route(QStringLiteral("/nws/points/40.7149,-74.0021"),
        FakeServer::fromFile(QStringLiteral("nws_points_39.7456_-97.0892_TOP_2019_no_gridId.json")));
    EXPECT_EQ(await(service->forecastOffice(40.7123, -74.0059)), QStringLiteral("TAE"));
    EXPECT_EQ(await(service->forecastOffice(40.7149, -74.0061)), QStringLiteral("TAE"));
    EXPECT_EQ(await(service->forecastOffice(40.7149, -74.0021)), QStringLiteral("TOP")) << "no gridId is fine";
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0].path, QStringLiteral("/nws/points/40.7123,-74.0059"));
    EXPECT_EQ(requests[1].path, QStringLiteral("/nws/points/40.7149,-74.0021"));
}

TEST_F(NwsServiceTest, AbsentOfficeIsRememberedButFailuresAreNot)
{
    const QString path = QStringLiteral("/nws/points/51.5000,-0.1200");
    server.route(path, FakeServer::json(R"({"title":"Data Unavailable For Requested Point"})", 404));
    EXPECT_EQ(await(service->forecastOffice(51.5, -0.12)), std::nullopt);
    EXPECT_EQ(await(service->forecastOffice(51.5, -0.12)), std::nullopt);
    EXPECT_EQ(server.count(path), 1);

    const QString other = QStringLiteral("/nws/points/10.0000,10.0000");
    server.routeSequence(other, { FakeServer::json("{}", 500), FakeServer::json(R"({"properties":{"cwa":5}})") });
    EXPECT_THROW((void)await(service->forecastOffice(10, 10)), HttpError);
    EXPECT_EQ(await(service->forecastOffice(10, 10)), std::nullopt) << "a non-text cwa is no office";
    EXPECT_EQ(await(service->forecastOffice(10, 10)), std::nullopt);
    EXPECT_EQ(server.count(other), 2);
}
