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
const QString kAfdList = QStringLiteral("/products/types/AFD/locations/GYX");

// An alert feature; a null field is left out.
QJsonObject alert(const char *id, const char *severity, const char *status = "Actual", const char *type = "Alert")
{
    QJsonObject p { { QStringLiteral("event"), QStringLiteral("Event") } };
    for (const auto &[key, value] : { std::pair { "id", id }, std::pair { "severity", severity },
             std::pair { "status", status }, std::pair { "messageType", type } }) {
        if (value) {
            p.insert(QString::fromLatin1(key), QString::fromLatin1(value));
        }
    }
    return QJsonObject { { QStringLiteral("type"), QStringLiteral("Feature") }, { QStringLiteral("properties"), p } };
}

QByteArray feed(const QJsonArray &features)
{
    return QJsonDocument(QJsonObject { { QStringLiteral("features"), features } }).toJson(QJsonDocument::Compact);
}

class NwsServiceTest : public ::testing::Test
{
protected:
    QStringList alertIds(const QByteArray &body, int status = 200)
    {
        server.route(kAlerts, FakeServer::json(body, status));
        QStringList ids;
        for (const NwsAlert &a : await(service.activeAlerts(40.7123, -74.0059))) {
            ids.append(a.id + QLatin1Char(':') + a.severity);
        }
        return ids;
    }

    std::optional<NwsTextProduct> latest(
        const QString &type = QStringLiteral("AFD"), const QString &office = QStringLiteral("GYX"))
    {
        return await(service.latestProduct(type, office));
    }

    void serveGyxDiscussion()
    {
        server.route(kAfdList, FakeServer::fromFile(QStringLiteral("nws_products_types_AFD_locations_GYX_2019.json")));
        server.route(QStringLiteral("/products/2a244c90-fec3-446c-b73b-d333569c0329"),
            FakeServer::fromFile(QStringLiteral("nws_product_AFD_GYX_2019-08-25.json")));
    }

    FakeServer server;
    QNetworkAccessManager network;
    FixedClock clock { QDateTime(QDate(2019, 8, 25), QTime(12, 0), Qt::UTC) };
    NwsService service { network, Endpoints { .nws = server.baseUrl() }, clock };
};

} // namespace

TEST_F(NwsServiceTest, ActualAlertsMostSevereFirst)
{
    EXPECT_EQ(alertIds(feed({ alert("exercise", "Minor", "Exercise"), alert("test", "Minor", "Test"),
                  alert("cancel", "Minor", "Actual", "Cancel"), alert("update", "Minor", "Actual", "Update"),
                  alert("alert", "Minor"), alert("no-type", "Minor", "Actual", nullptr) })),
        (QStringList {
            QStringLiteral("update:Minor"), QStringLiteral("alert:Minor"), QStringLiteral("no-type:Minor") }));
    const auto request = server.requests(kAlerts).first();
    EXPECT_EQ(request.queryValue(QStringLiteral("point")), QStringLiteral("40.7123,-74.0059"));
    EXPECT_EQ(request.headers.value(QStringLiteral("user-agent")), QStringLiteral("Merrin Vale app (merrin-vale)"));
    EXPECT_EQ(request.headers.value(QStringLiteral("accept")), QStringLiteral("application/geo+json"));

    EXPECT_EQ(alertIds(feed({ alert("a", "Minor"), alert("b", "Extreme"), alert("c", "Moderate"), alert("d", "Extreme"),
                  alert("u", nullptr) })),
        (QStringList { QStringLiteral("b:Extreme"), QStringLiteral("d:Extreme"), QStringLiteral("c:Moderate"),
            QStringLiteral("a:Minor"), QStringLiteral("u:Unknown") }));

    SCOPED_TRACE("a malformed feature drops only itself");
    QJsonObject numericEvent = alert("y", "Minor");
    numericEvent[QStringLiteral("properties")] = QJsonObject { { QStringLiteral("id"), QStringLiteral("y") },
        { QStringLiteral("event"), 7 }, { QStringLiteral("status"), QStringLiteral("Actual") } };
    EXPECT_EQ(alertIds(feed({ QStringLiteral("not an object"), QJsonObject { { QStringLiteral("properties"), 1 } },
                  alert(nullptr, "Minor"), alert("z", "Minor", nullptr), numericEvent, alert("good", "Severe") })),
        QStringList { QStringLiteral("good:Severe") });
}

TEST_F(NwsServiceTest, RealFeedFieldsAndFailures)
{
    server.route(kAlerts, FakeServer::fromFile(QStringLiteral("nws_alerts_active_phoenix_2024_heat_aqa.json")));
    const QList<NwsAlert> alerts = await(service.activeAlerts(33.45, -112.07));
    ASSERT_EQ(alerts.size(), 2);
    EXPECT_EQ(alerts[0].event, QStringLiteral("Excessive Heat Warning"));
    EXPECT_EQ(alerts[0].onset, QStringLiteral("2024-07-19T10:00:00-07:00"));
    EXPECT_TRUE(alerts[0].description.startsWith(QStringLiteral("* WHAT...Dangerously hot conditions.")));
    EXPECT_EQ(alerts[1].severity, QStringLiteral("Unknown"));
    EXPECT_EQ(alerts[1].ends, QStringLiteral("2024-07-19T21:00:00-07:00"))
        << "\"ends\": null falls back to \"expires\"";

    server.route(kAlerts, FakeServer::fromFile(QStringLiteral("nws_alerts_active_area_UT_2022-08_flash_flood.json")));
    EXPECT_EQ(await(service.activeAlerts(38.5, -110.7)).size(), 5);
}

TEST_F(NwsServiceTest, ForecastOfficePerTwoDecimalPoint)
{
    server.route(
        QStringLiteral("/points/40.7123,-74.0059"), FakeServer::fromFile(QStringLiteral("nws_points_30_-85_TAE.json")));
    server.route(QStringLiteral("/points/40.7149,-74.0021"),
        FakeServer::fromFile(QStringLiteral("nws_points_39.7456_-97.0892_TOP_2019_no_gridId.json")));
    EXPECT_EQ(await(service.forecastOffice(40.7123, -74.0059)), QStringLiteral("TAE"));
    EXPECT_EQ(await(service.forecastOffice(40.7149, -74.0061)), QStringLiteral("TAE"));
    EXPECT_EQ(await(service.forecastOffice(40.7149, -74.0021)), QStringLiteral("TOP")) << "no gridId is fine";
    EXPECT_EQ(server.requests().size(), 2);

    SCOPED_TRACE("an absent office is remembered for the run; a failure is not");
    const QString london = QStringLiteral("/points/51.5000,-0.1200");
    server.route(london, FakeServer::json(R"({"title":"Data Unavailable For Requested Point"})", 404));
    EXPECT_EQ(await(service.forecastOffice(51.5, -0.12)), std::nullopt);
    clock.advance(86400);
    EXPECT_EQ(await(service.forecastOffice(51.5, -0.12)), std::nullopt);
    EXPECT_EQ(server.count(london), 1);
    const QString other = QStringLiteral("/points/10.0000,10.0000");
    server.routeSequence(other, { FakeServer::json("{}", 500), FakeServer::json(R"({"properties":{"cwa":5}})") });
    EXPECT_THROW((void)await(service.forecastOffice(10, 10)), HttpError);
    EXPECT_EQ(await(service.forecastOffice(10, 10)), std::nullopt) << "a non-text cwa is no office";
    EXPECT_EQ(server.count(other), 2);
}

TEST_F(NwsServiceTest, NewestDiscussionReducedAndKeptForHalfAnHour)
{
    serveGyxDiscussion();
    const std::optional<NwsTextProduct> product = latest();
    ASSERT_TRUE(product.has_value());
    EXPECT_EQ(product->office, QStringLiteral("GYX"));
    EXPECT_EQ(product->issuedAt, QStringLiteral("2019-08-25T10:00:00+00:00"));
    EXPECT_TRUE(product->text.startsWith(QStringLiteral("000\nFXUS61 KGYX 251000")));
    EXPECT_TRUE(product->text.contains(QStringLiteral(".LONG TERM /MONDAY NIGHT THROUGH SATURDAY/...")));
    EXPECT_FALSE(product->text.contains(QStringLiteral(".AVIATION")));
    EXPECT_TRUE(product->text.endsWith(QStringLiteral("MARINE...None.\n\n&&\n")));
    clock.advance(1799);
    EXPECT_EQ(latest(), product);
    EXPECT_EQ(server.requests().size(), 2);
    clock.advance(1);
    EXPECT_EQ(latest(), product);
    EXPECT_EQ(server.requests().size(), 4);

    SCOPED_TRACE("nothing found is remembered too");
    server.route(QStringLiteral("/products/types/AFD/locations/BOX"), FakeServer::json(R"({"@graph":[]})"));
    EXPECT_EQ(latest(QStringLiteral("AFD"), QStringLiteral("BOX")), std::nullopt);
    clock.advance(1799);
    EXPECT_EQ(latest(QStringLiteral("AFD"), QStringLiteral("BOX")), std::nullopt);
    EXPECT_EQ(server.count(QStringLiteral("/products/types/AFD/locations/BOX")), 1);
}

// Failed and misshapen replies as a whole are in the fault matrix; these are misshapen members.
TEST_F(NwsServiceTest, NothingUsableInTheReplies)
{
    server.route(QStringLiteral("/products/types/AFD/locations/B"), FakeServer::json(R"({"@graph":[{},{"id":"p"}]})"));
    server.route(QStringLiteral("/products/types/AFD/locations/C"), FakeServer::json(R"({"@graph":[{"id":"p"}]})"));
    server.route(QStringLiteral("/products/p"), FakeServer::json(R"({"productText":["a"]})"));
    for (const char *office : { "B", "C" }) {
        EXPECT_EQ(latest(QStringLiteral("AFD"), QString::fromLatin1(office)), std::nullopt) << office;
    }
}

TEST_F(NwsServiceTest, IssuanceTimeFallbackAndFailures)
{
    server.routeSequence(QStringLiteral("/products/types/HWO/locations/BGM"),
        { FakeServer::json("{}", 502),
            FakeServer::json(R"({"@graph":[{"id":"p","issuanceTime":"2025-07-25T08:18:00+00:00"}]})") });
    const QString hwoText = QString::fromUtf8(testData(QStringLiteral("nws_productText_HWO_BGM_2025-07-25.txt")));
    server.route(QStringLiteral("/products/p"),
        FakeServer::json(QJsonDocument(
            QJsonObject { { QStringLiteral("productText"), hwoText }, { QStringLiteral("issuanceTime"), 12 } })
                             .toJson()));
    EXPECT_THROW((void)latest(QStringLiteral("HWO"), QStringLiteral("BGM")), HttpError);
    const auto hwo = latest(QStringLiteral("HWO"), QStringLiteral("BGM")); // a failure is not remembered
    ASSERT_TRUE(hwo.has_value());
    EXPECT_EQ(hwo->issuedAt, QStringLiteral("2025-07-25T08:18:00+00:00"));
    EXPECT_TRUE(hwoText.contains(QStringLiteral("\n$$\n")));
    EXPECT_FALSE(hwo->text.contains(QStringLiteral("\n$$\n"))) << "an outlook loses its $$ lines";
}

TEST_F(NwsServiceTest, ProductsForAPlaceNeverFail)
{
    serveGyxDiscussion();
    server.route(QStringLiteral("/points/43.6600,-70.2600"), FakeServer::json(R"({"properties":{"cwa":"GYX"}})"));
    EXPECT_EQ(
        await(service.areaForecastDiscussion(43.66, -70.26)).value_or(NwsTextProduct {}).office, QStringLiteral("GYX"));
    server.route(QStringLiteral("/products/types/HWO/locations/GYX"), FakeServer::json("{}", 500));
    EXPECT_EQ(await(service.hazardousWeatherOutlook(43.66, -70.26)), std::nullopt);
    server.route(QStringLiteral("/points/1.0000,2.0000"), FakeServer::json("<html>", 200));
    EXPECT_EQ(await(service.hazardousWeatherOutlook(1, 2)), std::nullopt);
}
