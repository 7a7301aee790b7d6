// SPDX-License-Identifier: GPL-3.0-or-later
// forecastSummary over real HTTP: the three requests and how their failures are handled.
#include "net/AppError.h"
#include "weather/ForecastService.h"

#include "Await.h"
#include "FakeServer.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

using test_support::await;

namespace {

const QString kForecastPath = QStringLiteral("/v1/forecast");
const QString kAirPath = QStringLiteral("/v1/air-quality");

QByteArray part(const char *key)
{
    const QJsonObject testCase =
        QJsonDocument::fromJson(testData(QStringLiteral("forecast_text/full_conus.json"))).object();
    return QJsonDocument(testCase.value(QLatin1StringView(key)).toObject()).toJson(QJsonDocument::Compact);
}

QString golden(const QString &name)
{
    return QString::fromUtf8(testData(QStringLiteral("forecast_text/") + name)).chopped(1);
}

class ForecastSummaryTest : public ::testing::Test
{
protected:
    ForecastSummaryTest()
    {
        Endpoints endpoints;
        endpoints.openMeteoForecast = server.baseUrl();
        endpoints.openMeteoAirQuality = server.baseUrl();
        service = std::make_unique<ForecastService>(network, endpoints);
    }

    // Main requests carry "models" inside the box; the fallback is the same request without it.
    void answer(const FakeServer::Response &main, const FakeServer::Response &fallback)
    {
        server.routeHandler(kForecastPath, [main, fallback](const FakeServer::Request &r) {
            return r.queryKeys().contains(QStringLiteral("models")) ? main : fallback;
        });
    }

    FakeServer server;
    QNetworkAccessManager network;
    std::unique_ptr<ForecastService> service;
};

} // namespace

TEST_F(ForecastSummaryTest, InsideTheBoxTheFallbackFillsGapsAndAirQualityIsAdded)
{
    answer(FakeServer::json(part("main")), FakeServer::json(part("fallback")));
    server.route(kAirPath, FakeServer::json(R"({"current":{"us_aqi":50,"pm2_5":12.3,"pm10":20,"ozone":41}})"));
    const QString text =
        await(service->forecastSummary(41.878, -87.6298, QStringLiteral("America/Chicago"), true, true));
    EXPECT_EQ(text.toStdString(), golden(QStringLiteral("full_conus.txt")).toStdString());

    const auto requests = server.requests(kForecastPath);
    ASSERT_EQ(requests.size(), 2);
    const bool mainFirst = requests[0].queryKeys().contains(QStringLiteral("models"));
    const auto &main = requests[mainFirst ? 0 : 1];
    const auto &fallback = requests[mainFirst ? 1 : 0];
    EXPECT_EQ(fallback.queryKeys(),
        QStringLiteral("latitude longitude timezone temperature_unit wind_speed_unit precipitation_unit "
                       "forecast_days current daily hourly minutely_15 forecast_minutely_15")
            .split(u' '));
    EXPECT_EQ(main.query.mid(0, 12), fallback.query); // the same request with the blend's model added
    EXPECT_EQ(main.queryValue(QStringLiteral("models")), QStringLiteral("ncep_nbm_conus"));
    EXPECT_EQ(main.queryValue(QStringLiteral("forecast_minutely_15")), QStringLiteral("12"));

    const auto air = server.requests(kAirPath);
    ASSERT_EQ(air.size(), 1);
    EXPECT_EQ(air[0].queryKeys(), QStringLiteral("latitude longitude timezone current").split(u' '));
    EXPECT_EQ(air[0].queryValue(QStringLiteral("current")), QStringLiteral("us_aqi,pm2_5,pm10,ozone"));
}

TEST_F(ForecastSummaryTest, OutsideTheBoxOneForecastRequestAndARealAirQualityReply)
{
    server.route(kForecastPath, FakeServer::json(R"({"current":{},"daily":{},"hourly":{}})"));
    server.route(kAirPath, FakeServer::fromFile(QStringLiteral("openmeteo_air_quality_current_us_aqi_delhi.json")));
    const QString text = await(service->forecastSummary(28.6, 77.2, QString(), false, false));
    ASSERT_EQ(server.count(kForecastPath), 1);
    const auto request = server.requests(kForecastPath).at(0);
    EXPECT_FALSE(request.queryKeys().contains(QStringLiteral("models")));
    EXPECT_EQ(request.queryValue(QStringLiteral("timezone")), QStringLiteral("auto"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Timezone: \nUnits: temperatures °C, wind km/h, precipitation mm.\n")));
    EXPECT_TRUE(
        text.contains(QStringLiteral("\nAir quality: US AQI 160 (Unhealthy), PM2.5 46.6 μg/m³, ozone 134 μg/m³.\n")))
        << text.toStdString();
}

TEST_F(ForecastSummaryTest, SecondaryFailuresDropTheirPartsOnly)
{
    answer(FakeServer::json(part("main")), FakeServer::json("busy", 503));
    server.route(kAirPath, FakeServer::json("<html>", 200));
    const QString text =
        await(service->forecastSummary(41.878, -87.6298, QStringLiteral("America/Chicago"), true, true));
    EXPECT_FALSE(text.contains(QStringLiteral("Air quality")));
    // Without the fallback the gaps stay gaps.
    EXPECT_TRUE(text.contains(QStringLiteral("dew point n/a°F, UV index n/a, cloud cover 40%, pressure n/a hPa")));
}

TEST_F(ForecastSummaryTest, MainFailuresReachTheCallerAfterTheOthersFinish)
{
    const auto failureOf = [this](const FakeServer::Response &main) -> QString {
        server.clearRequests();
        answer(main, FakeServer::json(part("fallback")));
        FakeServer::Response slowAir = FakeServer::json("{}");
        slowAir.delay = std::chrono::milliseconds(200);
        server.route(kAirPath, slowAir);
        try {
            (void)await(service->forecastSummary(41.878, -87.6298, QStringLiteral("America/Chicago"), true, true));
        } catch (const AppError &e) {
            EXPECT_EQ(server.count(kAirPath), 1);
            return e.description();
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(failureOf(FakeServer::json("busy", 503)), QStringLiteral("Request failed (503): busy"));
    EXPECT_EQ(failureOf(FakeServer::json(R"({"current":{},"daily":{}})")),
        QStringLiteral("Unexpected response from server."));
    EXPECT_EQ(failureOf(FakeServer::json("[]")), QStringLiteral("Unexpected response from server."));
}
