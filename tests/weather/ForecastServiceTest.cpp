// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/ForecastService.h"
#include "net/AppError.h"

#include "Await.h"
#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

using test_support::await;

namespace {

const QString kPath = QStringLiteral("/v1/forecast");

const QStringList kMainKeys = QStringLiteral("latitude longitude timezone temperature_unit wind_speed_unit "
                                             "precipitation_unit forecast_days past_days current daily hourly")
                                  .split(u' ');

// The request's values in its order.
QStringList values(const FakeServer::Request &request)
{
    QStringList out;
    for (const auto &item : request.query) {
        out.append(item.second);
    }
    return out;
}

class ForecastServiceTest : public ::testing::Test
{
protected:
    ForecastServiceTest()
    {
        Endpoints endpoints;
        endpoints.openMeteoForecast = server.baseUrl();
        service = std::make_unique<ForecastService>(network, endpoints);
    }

    Forecast fetch(
        double lat, double lon, const QString &zone = QStringLiteral("America/Chicago"), bool f = true, bool mph = true)
    {
        return await(service->fetchForecast(lat, lon, zone, f, mph));
    }

    // Main requests carry "current"; the UV supplement does not.
    void answer(const FakeServer::Response &main, const FakeServer::Response &supplement)
    {
        server.routeHandler(kPath, [main, supplement](const FakeServer::Request &r) {
            return r.queryKeys().contains(QStringLiteral("current")) ? main : supplement;
        });
    }

    static QByteArray replyWithoutUv()
    {
        QJsonObject reply =
            QJsonDocument::fromJson(testData(QStringLiteral("openmeteo_forecast_synthetic_chicago_7day.json")))
                .object();
        QJsonObject hourly = reply[QStringLiteral("hourly")].toObject();
        hourly.remove(QStringLiteral("uv_index"));
        reply.insert(QStringLiteral("hourly"), hourly);
        QJsonObject daily = reply[QStringLiteral("daily")].toObject();
        daily.remove(QStringLiteral("uv_index_max"));
        reply.insert(QStringLiteral("daily"), daily);
        return QJsonDocument(reply).toJson(QJsonDocument::Compact);
    }

    static QByteArray supplement()
    {
        // UV for 2026-07-14T11:00 (the current hour of the synthetic reply) and two days.
        return R"({"hourly":{"time":["2026-07-14T10:00","2026-07-14T11:00","2026-07-14T11:00"],"uv_index":[4.5,6.0,6.75]},
                  "daily":{"time":["2026-07-14","2026-07-15","2026-07-16"],"uv_index_max":[8.25,null,7.5]}})";
    }

    FakeServer server;
    QNetworkAccessManager network;
    std::unique_ptr<ForecastService> service;
};

} // namespace

TEST_F(ForecastServiceTest, OutsideTheUnitedStatesOneRequestWithItemsInOrder)
{
    server.route(kPath, FakeServer::fromFile(QStringLiteral("openmeteo_forecast_melbourne_gmt_midarray_nulls.json")));
    EXPECT_EQ(fetch(-37.75, 144.875, QString(), false, true).hourly.size(), 48);
    const auto requests = server.requests(kPath);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].queryKeys(), kMainKeys);
    EXPECT_EQ(values(requests[0]).mid(0, 8),
        QStringLiteral("-37.75 144.875 auto celsius mph mm 7 1").split(u' ')); // an empty zone asks for "auto"
}

TEST_F(ForecastServiceTest, InsideTheUnitedStatesTheBlendAndTheUvSupplement)
{
    answer(FakeServer::json(replyWithoutUv()), FakeServer::json(supplement()));
    const Forecast f = fetch(41.878, -87.6298, QStringLiteral("America/Chicago"), true, false);

    const auto requests = server.requests(kPath);
    ASSERT_EQ(requests.size(), 2);
    const bool mainFirst = requests[0].queryKeys().contains(QStringLiteral("current"));
    const auto &main = requests[mainFirst ? 0 : 1];
    EXPECT_EQ(main.queryKeys(), kMainKeys + QStringList { QStringLiteral("models") });
    EXPECT_EQ(values(main).mid(2, 4), QStringLiteral("America/Chicago fahrenheit kmh inch").split(u' '));
    EXPECT_EQ(main.queryValue(QStringLiteral("models")), QStringLiteral("ncep_nbm_conus"));
    const auto &uv = requests[mainFirst ? 1 : 0];
    EXPECT_EQ(
        uv.queryKeys(), QStringLiteral("latitude longitude timezone forecast_days past_days daily hourly").split(u' '));
    EXPECT_EQ(values(uv).mid(5), QStringLiteral("uv_index_max uv_index").split(u' '));

    // The current hour's UV comes from the supplement (a repeated time keeps the later value);
    // missing daily values too, a null supplement value stays 0.
    EXPECT_EQ(f.current.uvIndex, 6.75);
    EXPECT_EQ(f.daily[0].uvIndexMax, 8.25);
    EXPECT_EQ(f.daily[1].uvIndexMax, 0.0);
    EXPECT_EQ(f.daily[2].uvIndexMax, 7.5);
}

TEST_F(ForecastServiceTest, AFailedSupplementIsIgnored)
{
    for (const FakeServer::Response &bad :
        { FakeServer::json("busy", 503), FakeServer::json("<html>oops</html>"), FakeServer::json("[]") }) {
        answer(FakeServer::json(replyWithoutUv()), bad);
        const Forecast f = fetch(41.878, -87.6298);
        EXPECT_EQ(f.current.uvIndex, 0.0);
        EXPECT_EQ(f.daily.size(), 7);
    }
}

TEST_F(ForecastServiceTest, MainRequestFailuresReachTheCaller)
{
    EXPECT_TRUE(ForecastService::isInConus(49.5, -66.5)); // the box's bounds are inclusive
    EXPECT_TRUE(ForecastService::isInConus(24.5, -125.0));
    EXPECT_FALSE(ForecastService::isInConus(49.51, -66.5));

    const auto failureOf = [this](const FakeServer::Response &main, double lat = 41.878, double lon = -87.6298) {
        answer(main, FakeServer::json(supplement()));
        try {
            (void)fetch(lat, lon);
        } catch (const AppError &e) {
            return e.description();
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(failureOf(FakeServer::json("busy", 503)), QStringLiteral("Request failed (503): busy"));
    EXPECT_EQ(failureOf(FakeServer::json("", 500)), QStringLiteral("Request failed (500)"));
    EXPECT_EQ(failureOf(FakeServer::json(R"({"current":{},"daily":{},"hourly":[1,2]})")),
        QStringLiteral("Unexpected response from server."));
    EXPECT_EQ(failureOf(FakeServer::json("[1]")), QStringLiteral("Unexpected response from server."));
    EXPECT_TRUE(failureOf(FakeServer::json("not json")).contains(QStringLiteral("not valid JSON")));
    // Outside the box as well, and the message of a long error body is cut.
    EXPECT_EQ(failureOf(FakeServer::json(QByteArray(500, 'e'), 404), 52.52, 13.41),
        QStringLiteral("Request failed (404): ") + QString(200, QLatin1Char('e')));
}
