// SPDX-License-Identifier: GPL-3.0-or-later
// The forecast service over real HTTP: the app's forecast with its UV supplement, and the text
// summary with its fallback and air-quality requests. Failed main requests: the fault matrix.
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
const QString kAirPath = QStringLiteral("/v1/air-quality");

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
        endpoints.openMeteoForecast = endpoints.openMeteoAirQuality = server.baseUrl();
        service = std::make_unique<ForecastService>(network, endpoints);
    }

    Forecast fetch(
        double lat, double lon, const QString &zone = QStringLiteral("America/Chicago"), bool f = true, bool mph = true)
    {
        return await(service->fetchForecast(lat, lon, zone, f, mph));
    }

    // Main requests carry `key` ("current" for the app's forecast, whose UV supplement does not;
    // "models" for the summary inside the box, whose fallback does not).
    void answer(const FakeServer::Response &main, const FakeServer::Response &other,
        const QString &key = QStringLiteral("current"))
    {
        server.routeHandler(kPath,
            [main, other, key](const FakeServer::Request &r) { return r.queryKeys().contains(key) ? main : other; });
    }

    // The summary's main and fallback replies from the full golden case, or another fallback.
    void answerSummary(const std::optional<FakeServer::Response> &fallback = std::nullopt)
    {
        const QJsonObject testCase =
            QJsonDocument::fromJson(testData(QStringLiteral("forecast_text/full_conus.json"))).object();
        const auto part = [&](const char *key) {
            return FakeServer::json(QJsonDocument(testCase[QLatin1StringView(key)].toObject()).toJson());
        };
        answer(part("main"), fallback.value_or(part("fallback")), QStringLiteral("models"));
    }

    QString summary(double lat = 41.878, double lon = -87.6298, const QString &zone = QStringLiteral("America/Chicago"),
        bool f = true)
    {
        return await(service->forecastSummary(lat, lon, zone, f, f));
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
    EXPECT_TRUE(ForecastService::isInConus(49.5, -66.5)); // the box's bounds are inclusive
    EXPECT_TRUE(ForecastService::isInConus(24.5, -125.0));
    EXPECT_FALSE(ForecastService::isInConus(49.51, -66.5));
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

TEST_F(ForecastServiceTest, SummaryInsideTheBoxTheFallbackFillsGapsAndAirQualityIsAdded)
{
    answerSummary();
    server.route(kAirPath, FakeServer::json(R"({"current":{"us_aqi":50,"pm2_5":12.3,"pm10":20,"ozone":41}})"));
    EXPECT_EQ(summary().toStdString(),
        QString::fromUtf8(testData(QStringLiteral("forecast_text/full_conus.txt"))).chopped(1).toStdString());

    const auto requests = server.requests(kPath);
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

TEST_F(ForecastServiceTest, SummaryOutsideTheBoxOneForecastRequestAndARealAirQualityReply)
{
    server.route(kPath, FakeServer::json(R"({"current":{},"daily":{},"hourly":{}})"));
    server.route(kAirPath, FakeServer::fromFile(QStringLiteral("openmeteo_air_quality_current_us_aqi_delhi.json")));
    const QString text = summary(28.6, 77.2, QString(), false);
    ASSERT_EQ(server.count(kPath), 1);
    const auto request = server.requests(kPath).at(0);
    EXPECT_FALSE(request.queryKeys().contains(QStringLiteral("models")));
    EXPECT_EQ(request.queryValue(QStringLiteral("timezone")), QStringLiteral("auto"));
    EXPECT_TRUE(
        text.contains(QStringLiteral("\nAir quality: US AQI 160 (Unhealthy), PM2.5 46.6 μg/m³, ozone 134 μg/m³.\n")))
        << text.toStdString();
}

TEST_F(ForecastServiceTest, SummarySecondaryFailuresDropTheirPartsOnly)
{
    answerSummary(FakeServer::json("busy", 503));
    server.route(kAirPath, FakeServer::json("<html>", 200));
    const QString text = summary();
    EXPECT_FALSE(text.contains(QStringLiteral("Air quality")));
    // Without the fallback the gaps stay gaps.
    EXPECT_TRUE(text.contains(QStringLiteral("dew point n/a°F, UV index n/a, cloud cover 40%, pressure n/a hPa")));
}

TEST_F(ForecastServiceTest, SummaryMainFailuresReachTheCallerAfterTheOthersFinish)
{
    const auto failureOf = [this](const FakeServer::Response &main) -> QString {
        server.clearRequests();
        answer(main, FakeServer::json("{}"), QStringLiteral("models"));
        FakeServer::Response slowAir = FakeServer::json("{}");
        slowAir.delay = std::chrono::milliseconds(200);
        server.route(kAirPath, slowAir);
        try {
            (void)summary();
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
