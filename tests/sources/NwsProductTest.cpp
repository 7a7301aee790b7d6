// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/AppError.h"
#include "net/Clock.h"
#include "sources/NwsService.h"

#include "Await.h"
#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

using test_support::await;

namespace {

const QString kAfdList = QStringLiteral("/products/types/AFD/locations/GYX");
const QString kAfdProduct = QStringLiteral("/products/2a244c90-fec3-446c-b73b-d333569c0329");

QByteArray compact(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray productList(const QString &id, const QJsonValue &issuanceTime = QJsonValue::Undefined)
{
    QJsonObject entry { { QStringLiteral("id"), id } };
    if (!issuanceTime.isUndefined()) {
        entry.insert(QStringLiteral("issuanceTime"), issuanceTime);
    }
    return compact(QJsonObject { { QStringLiteral("@graph"), QJsonArray { entry } } });
}

class NwsProductTest : public ::testing::Test
{
protected:
    NwsProductTest()
        : clock(QDateTime(QDate(2019, 8, 25), QTime(12, 0), Qt::UTC))
    {
        Endpoints endpoints;
        endpoints.nws = server.baseUrl();
        service = std::make_unique<NwsService>(network, endpoints, clock);
    }

    std::optional<NwsTextProduct> latest(
        const QString &type = QStringLiteral("AFD"), const QString &office = QStringLiteral("GYX"))
    {
        return await(service->latestProduct(type, office));
    }

    FakeServer server;
    QNetworkAccessManager network;
    FixedClock clock;
    std::unique_ptr<NwsService> service;
};

} // namespace

TEST_F(NwsProductTest, NewestDiscussionReducedForTheModel)
{
    server.route(kAfdList, FakeServer::fromFile(QStringLiteral("nws_products_types_AFD_locations_GYX_2019.json")));
    server.route(kAfdProduct, FakeServer::fromFile(QStringLiteral("nws_product_AFD_GYX_2019-08-25.json")));
    const std::optional<NwsTextProduct> product = latest();
    ASSERT_TRUE(product.has_value());
    EXPECT_EQ(product->office, QStringLiteral("GYX"));
    EXPECT_EQ(product->issuedAt, QStringLiteral("2019-08-25T10:00:00+00:00"));
    EXPECT_TRUE(product->text.startsWith(QStringLiteral("000\nFXUS61 KGYX 251000")));
    EXPECT_TRUE(product->text.contains(QStringLiteral(".SYNOPSIS...")));
    EXPECT_TRUE(product->text.contains(QStringLiteral(".LONG TERM /MONDAY NIGHT THROUGH SATURDAY/...")));
    EXPECT_FALSE(product->text.contains(QStringLiteral(".AVIATION")));
    EXPECT_FALSE(product->text.contains(QStringLiteral(".MARINE...")));
    EXPECT_TRUE(product->text.endsWith(QStringLiteral("MARINE...None.\n\n&&\n")))
        << product->text.right(40).toStdString();
    EXPECT_EQ(server.requests(kAfdList).value(0).headers.value(QStringLiteral("accept")),
        QStringLiteral("application/geo+json"));
}

TEST_F(NwsProductTest, RememberedForHalfAnHourEvenWhenNothingWasFound)
{
    server.route(kAfdList, FakeServer::fromFile(QStringLiteral("nws_products_types_AFD_locations_GYX_2019.json")));
    server.route(kAfdProduct, FakeServer::fromFile(QStringLiteral("nws_product_AFD_GYX_2019-08-25.json")));
    const auto first = latest();
    clock.advance(1799);
    EXPECT_EQ(latest(), first);
    EXPECT_EQ(server.requests().size(), 2);
    clock.advance(1);
    EXPECT_EQ(latest(), first);
    EXPECT_EQ(server.requests().size(), 4) << "30 minutes old: asked again";

    const QString hwoList = QStringLiteral("/products/types/HWO/locations/GYX");
    server.route(hwoList, FakeServer::json(R"({"@graph":[]})"));
    EXPECT_EQ(latest(QStringLiteral("HWO")), std::nullopt);
    clock.advance(600);
    EXPECT_EQ(latest(QStringLiteral("HWO")), std::nullopt);
    EXPECT_EQ(server.count(hwoList), 1);
}

TEST_F(NwsProductTest, NothingUsableInTheReplies)
{
    struct Case
    {
        const char *name;
        FakeServer::Response list;
        FakeServer::Response product;
    };
    const QList<Case> cases {
        { "list 404", FakeServer::json("{}", 404), FakeServer::json("{}") },
        { "no @graph", FakeServer::json(R"({"items":[]})"), FakeServer::json("{}") },
        { "@graph not a list", FakeServer::json(R"({"@graph":{"id":"p"}})"), FakeServer::json("{}") },
        { "first entry without id", FakeServer::json(R"({"@graph":[{"issuanceTime":"x"},{"id":"p"}]})"),
            FakeServer::json("{}") },
        { "product 404", FakeServer::json(productList(QStringLiteral("p"))), FakeServer::json("{}", 404) },
        { "no productText", FakeServer::json(productList(QStringLiteral("p"))),
            FakeServer::json(R"({"issuanceTime":"x"})") },
        { "productText not text", FakeServer::json(productList(QStringLiteral("p"))),
            FakeServer::json(R"({"productText":["a"]})") },
    };
    int office = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QStringLiteral("O%1").arg(++office);
        server.route(QStringLiteral("/products/types/AFD/locations/") + name, c.list);
        server.route(QStringLiteral("/products/p"), c.product);
        EXPECT_EQ(latest(QStringLiteral("AFD"), name), std::nullopt);
    }
}

TEST_F(NwsProductTest, IssuanceTimeFallsBackToTheListEntry)
{
    server.route(QStringLiteral("/products/types/HWO/locations/BGM"),
        FakeServer::json(productList(QStringLiteral("p"), QStringLiteral("2025-07-25T08:18:00+00:00"))));
    QJsonObject reply { { QStringLiteral("productText"),
                            QString::fromUtf8(testData(QStringLiteral("nws_productText_HWO_BGM_2025-07-25.txt"))) },
        { QStringLiteral("issuanceTime"), 12 } };
    server.route(QStringLiteral("/products/p"), FakeServer::json(compact(reply)));
    std::optional<NwsTextProduct> hwo = latest(QStringLiteral("HWO"), QStringLiteral("BGM"));
    ASSERT_TRUE(hwo.has_value());
    EXPECT_EQ(hwo->issuedAt, QStringLiteral("2025-07-25T08:18:00+00:00"));
    EXPECT_FALSE(hwo->text.contains(QStringLiteral("$$"))) << "an outlook loses its $$ lines";

    server.route(
        QStringLiteral("/products/types/HWO/locations/SJU"), FakeServer::json(productList(QStringLiteral("p"))));
    hwo = latest(QStringLiteral("HWO"), QStringLiteral("SJU"));
    ASSERT_TRUE(hwo.has_value());
    EXPECT_EQ(hwo->issuedAt, QString());
}

TEST_F(NwsProductTest, FailuresPassOnAndLeaveTheCacheAsItWas)
{
    server.routeSequence(kAfdList, { FakeServer::json("{}", 502), FakeServer::json(productList(QStringLiteral("p"))) });
    server.route(QStringLiteral("/products/p"), FakeServer::json(R"({"productText":"Short text"})"));
    EXPECT_THROW((void)latest(), HttpError);
    const auto product = latest();
    ASSERT_TRUE(product.has_value());
    EXPECT_EQ(product->text, QStringLiteral("Short text"));
    EXPECT_EQ(server.count(kAfdList), 2);
}

TEST_F(NwsProductTest, ProductForPlaceNeverFails)
{
    server.route(QStringLiteral("/points/43.6600,-70.2600"), FakeServer::json(R"({"properties":{"cwa":"GYX"}})"));
    server.route(kAfdList, FakeServer::fromFile(QStringLiteral("nws_products_types_AFD_locations_GYX_2019.json")));
    server.route(kAfdProduct, FakeServer::fromFile(QStringLiteral("nws_product_AFD_GYX_2019-08-25.json")));
    const auto afd = await(service->areaForecastDiscussion(43.66, -70.26));
    ASSERT_TRUE(afd.has_value());
    EXPECT_EQ(afd->office, QStringLiteral("GYX"));

    server.route(QStringLiteral("/products/types/HWO/locations/GYX"), FakeServer::json("{}", 500));
    EXPECT_EQ(await(service->hazardousWeatherOutlook(43.66, -70.26)), std::nullopt);
    server.route(QStringLiteral("/points/1.0000,2.0000"), FakeServer::json("<html>", 200));
    EXPECT_EQ(await(service->hazardousWeatherOutlook(1, 2)), std::nullopt);
    server.route(QStringLiteral("/points/3.0000,4.0000"), FakeServer::json("{}", 404));
    EXPECT_EQ(await(service->areaForecastDiscussion(3, 4)), std::nullopt);
    EXPECT_EQ(server.count(QStringLiteral("/products/types/AFD/locations/GYX")), 1);
}
