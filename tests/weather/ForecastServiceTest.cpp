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

const QStringList kMainKeys { QStringLiteral("latitude"), QStringLiteral("longitude"), QStringLiteral("timezone"),
    QStringLiteral("temperature_unit"), QStringLiteral("wind_speed_unit"), QStringLiteral("precipitation_unit"),
    QStringLiteral("forecast_days"), QStringLiteral("past_days"), QStringLiteral("current"), QStringLiteral("daily"),
    QStringLiteral("hourly") };

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
    const Forecast f = fetch(-37.75, 144.875, QString(), false, true);
    EXPECT_EQ(f.hourly.size(), 48);

    const auto requests = server.requests(kPath);
    ASSERT_EQ(requests.size(), 1);
    const auto &r = requests[0];
    EXPECT_EQ(r.queryKeys(), kMainKeys);
    EXPECT_EQ(r.queryValue(QStringLiteral("latitude")), QStringLiteral("-37.75"));
    EXPECT_EQ(r.queryValue(QStringLiteral("longitude")), QStringLiteral("144.875"));
    EXPECT_EQ(r.queryValue(QStringLiteral("timezone")), QStringLiteral("auto"));
    EXPECT_EQ(r.queryValue(QStringLiteral("temperature_unit")), QStringLiteral("celsius"));
    EXPECT_EQ(r.queryValue(QStringLiteral("wind_speed_unit")), QStringLiteral("mph"));
    EXPECT_EQ(r.queryValue(QStringLiteral("precipitation_unit")), QStringLiteral("mm"));
    EXPECT_EQ(r.queryValue(QStringLiteral("forecast_days")), QStringLiteral("7"));
    EXPECT_EQ(r.queryValue(QStringLiteral("past_days")), QStringLiteral("1"));
    EXPECT_EQ(r.queryValue(QStringLiteral("current")),
        QStringLiteral("temperature_2m,relative_humidity_2m,dew_point_2m,apparent_temperature,is_day,precipitation,"
                       "weather_code,cloud_cover,wind_speed_10m,wind_direction_10m,wind_gusts_10m"));
    EXPECT_EQ(r.queryValue(QStringLiteral("daily")),
        QStringLiteral("weather_code,temperature_2m_max,temperature_2m_min,apparent_temperature_max,"
                       "apparent_temperature_min,precipitation_probability_max,precipitation_sum,rain_sum,"
                       "snowfall_sum,precipitation_hours,wind_speed_10m_max,wind_gusts_10m_max,uv_index_max,"
                       "sunrise,sunset"));
    EXPECT_EQ(r.queryValue(QStringLiteral("hourly")),
        QStringLiteral("temperature_2m,apparent_temperature,dew_point_2m,relative_humidity_2m,weather_code,"
                       "precipitation_probability,precipitation,cloud_cover,wind_speed_10m,wind_gusts_10m,is_day,"
                       "uv_index"));
}

TEST_F(ForecastServiceTest, InsideTheUnitedStatesTheBlendAndTheUvSupplement)
{
    answer(FakeServer::json(replyWithoutUv()), FakeServer::json(supplement()));
    const Forecast f = fetch(41.878, -87.6298, QStringLiteral("America/Chicago"), true, false);

    const auto requests = server.requests(kPath);
    ASSERT_EQ(requests.size(), 2);
    const auto main = requests[0].queryKeys().contains(QStringLiteral("current")) ? requests[0] : requests[1];
    const auto uv = requests[0].queryKeys().contains(QStringLiteral("current")) ? requests[1] : requests[0];
    EXPECT_EQ(main.queryKeys(), kMainKeys + QStringList { QStringLiteral("models") });
    EXPECT_EQ(main.queryValue(QStringLiteral("models")), QStringLiteral("ncep_nbm_conus"));
    EXPECT_EQ(main.queryValue(QStringLiteral("temperature_unit")), QStringLiteral("fahrenheit"));
    EXPECT_EQ(main.queryValue(QStringLiteral("wind_speed_unit")), QStringLiteral("kmh"));
    EXPECT_EQ(main.queryValue(QStringLiteral("precipitation_unit")), QStringLiteral("inch"));
    EXPECT_EQ(uv.queryKeys(),
        (QStringList { QStringLiteral("latitude"), QStringLiteral("longitude"), QStringLiteral("timezone"),
            QStringLiteral("forecast_days"), QStringLiteral("past_days"), QStringLiteral("daily"),
            QStringLiteral("hourly") }));
    EXPECT_EQ(uv.queryValue(QStringLiteral("daily")), QStringLiteral("uv_index_max"));
    EXPECT_EQ(uv.queryValue(QStringLiteral("hourly")), QStringLiteral("uv_index"));

    // The current hour's UV comes from the supplement (a repeated time keeps the later value);
    // missing daily values too, a null supplement value stays 0.
    EXPECT_EQ(f.current.uvIndex, 6.75);
    EXPECT_EQ(f.daily[0].uvIndexMax, 8.25);
    EXPECT_EQ(f.daily[1].uvIndexMax, 0.0);
    EXPECT_EQ(f.daily[2].uvIndexMax, 7.5);
}

TEST_F(ForecastServiceTest, AFailedSupplementIsIgnored)
{
    const auto garbage = FakeServer::json("<html>oops</html>");
    for (const FakeServer::Response &bad : { FakeServer::json("busy", 503), garbage, FakeServer::json("[]") }) {
        answer(FakeServer::json(replyWithoutUv()), bad);
        const Forecast f = fetch(41.878, -87.6298);
        EXPECT_EQ(f.current.uvIndex, 0.0);
        EXPECT_EQ(f.daily[0].uvIndexMax, 0.0);
        EXPECT_EQ(f.daily.size(), 7);
    }
}

TEST_F(ForecastServiceTest, ConusBoxBoundsAreInclusive)
{
    EXPECT_TRUE(ForecastService::isInConus(49.5, -66.5));
    EXPECT_TRUE(ForecastService::isInConus(24.5, -125.0));
    EXPECT_FALSE(ForecastService::isInConus(49.51, -66.5));
    EXPECT_FALSE(ForecastService::isInConus(40.0, -66.49));
    EXPECT_FALSE(ForecastService::isInConus(21.3, -157.8)); // Honolulu
}

TEST_F(ForecastServiceTest, MainRequestFailuresReachTheCaller)
{
    const auto failureOf = [this](const FakeServer::Response &main) -> QString {
        answer(main, FakeServer::json(supplement()));
        try {
            (void)fetch(41.878, -87.6298);
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
    server.route(kPath, FakeServer::json(QByteArray(500, 'e'), 404));
    try {
        (void)fetch(52.52, 13.41, QStringLiteral("Europe/Berlin"));
        FAIL() << "expected HttpError";
    } catch (const HttpError &e) {
        EXPECT_EQ(e.description(), QStringLiteral("Request failed (404): ") + QString(200, QLatin1Char('e')));
    }
}
