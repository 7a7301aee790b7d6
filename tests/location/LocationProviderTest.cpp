// SPDX-License-Identifier: GPL-3.0-or-later
#include "location/LocationProvider.h"

#include "net/AppError.h"

#include "Await.h"
#include "FakePositionBackend.h"
#include "FakeServer.h"

#include <QNetworkAccessManager>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::await;

namespace {

const QString kIp1 = QStringLiteral("/ip1/");
const QString kIp2 = QStringLiteral("/ip2/json/");
const QString kReverse = QStringLiteral("/reverse/data/reverse-geocode-client");

class LocationProviderTest : public ::testing::Test
{
protected:
    LocationProviderTest()
    {
        endpoints.ipGeolocation1 = server.baseUrl() + QStringLiteral("/ip1");
        endpoints.ipGeolocation2 = server.baseUrl() + QStringLiteral("/ip2");
        endpoints.reverseGeocoding = server.baseUrl() + QStringLiteral("/reverse");
        server.route(kIp1, FakeServer::fromFile(QStringLiteral("ipwhois_io_json_singapore.json")));
        server.route(kIp2, FakeServer::fromFile(QStringLiteral("ipapi_co_json_miami.json")));
        server.route(kReverse, FakeServer::fromFile(QStringLiteral("bigdatacloud_reverse_geocode_client_malmo.json")));
    }

    LocationProvider provider(PositionSource *source = nullptr, std::chrono::milliseconds timeout = 2s)
    {
        return LocationProvider(network, endpoints, source, timeout);
    }

    static QString descriptionOf(const std::function<void()> &call)
    {
        try {
            call();
        } catch (const AppError &e) {
            return e.description();
        }
        return QStringLiteral("(no error)");
    }

    FakeServer server;
    QNetworkAccessManager network;
    Endpoints endpoints;
};

} // namespace

TEST_F(LocationProviderTest, IpGeolocationTriesTheServicesInOrder)
{
    {
        SCOPED_TRACE("the first service answers");
        EXPECT_EQ(await(provider().detectLocation()), (Coordinates { 1.3553794, 103.8677444 }));
        EXPECT_EQ(server.count(kIp2), 0);
    }
    {
        SCOPED_TRACE("integers are numbers");
        server.route(kIp1, FakeServer::json(R"({"latitude": 1, "longitude": -77})"));
        EXPECT_EQ(await(provider().detectLocation()), (Coordinates { 1, -77 }));
        EXPECT_EQ(server.count(kIp2), 0);
    }
    {
        SCOPED_TRACE("the first answers without longitude: the second is asked");
        server.route(kIp1, FakeServer::json(R"({"success": false, "latitude": 1.5, "longitude": null})"));
        EXPECT_EQ(await(provider().detectLocation()), (Coordinates { 25.7689, -80.1946 }));
        EXPECT_EQ(server.count(kIp2), 1);
        const auto request = server.requests(kIp1).constLast();
        EXPECT_TRUE(request.query.isEmpty());
    }
    for (const auto &failure :
        { FakeServer::json("busy", 503), FakeServer::json("<html>"), FakeServer::json("[1, 2]") }) {
        SCOPED_TRACE(failure.body.toStdString());
        server.route(kIp1, failure);
        server.route(kIp2, FakeServer::fromFile(QStringLiteral("ipapi_co_json_compact_postal_null.json")));
        EXPECT_EQ(await(provider().detectLocation()), (Coordinates { 41.79222, 123.43278 }));
    }
}

TEST_F(LocationProviderTest, BothIpServicesFailingGivesTheMessage)
{
    server.route(kIp1, FakeServer::json("", 500));
    server.route(kIp2, FakeServer::json(R"({"error": true, "reason": "RateLimited"})"));
    const QString description = descriptionOf([&] { await(provider().detectLocation()); });
    EXPECT_EQ(description,
        QStringLiteral("Request failed (0): Could not detect your location. Use search to pick "
                       "your city instead."));
    EXPECT_EQ(server.count(kIp1), 1);
    EXPECT_EQ(server.count(kIp2), 1);
}

TEST_F(LocationProviderTest, ReverseGeocodingNamesThePlace)
{
    LocationProvider::PlaceName place = await(provider().reverseGeocode(55.5836011, 13.0));
    EXPECT_EQ(place,
        (LocationProvider::PlaceName {
            QStringLiteral("Allmanna sjukhuset"), QStringLiteral("Skane County"), QStringLiteral("Sweden") }));
    const auto request = server.requests(kReverse).constFirst();
    EXPECT_EQ(request.query,
        (QList<std::pair<QString, QString>> { { QStringLiteral("latitude"), QStringLiteral("55.5836011") },
            { QStringLiteral("longitude"), QStringLiteral("13") },
            { QStringLiteral("localityLanguage"), QStringLiteral("en") } }));

    const struct
    {
        const char *reply;
        LocationProvider::PlaceName expected;
    } cases[] = {
        { "{}", { QStringLiteral("Current Location"), std::nullopt, std::nullopt } },
        { R"({"locality": "", "principalSubdivision": "Tasmania", "countryName": "Australia"})",
            { QStringLiteral("Tasmania"), QStringLiteral("Tasmania"), QStringLiteral("Australia") } },
        { R"({"locality": 7, "city": "Hobart", "principalSubdivision": null, "countryName": ["AU"]})",
            { QStringLiteral("Hobart"), std::nullopt, std::nullopt } },
        { R"({"locality": "", "city": "", "principalSubdivision": ""})",
            { QStringLiteral("Current Location"), QString(), std::nullopt } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.reply);
        server.route(kReverse, FakeServer::json(c.reply));
        EXPECT_EQ(await(provider().reverseGeocode(-42.88, 147.33)), c.expected);
    }

    server.route(kReverse, FakeServer::json("[]"));
    EXPECT_EQ(descriptionOf([&] { await(provider().reverseGeocode(1, 2)); }),
        QStringLiteral("Unexpected response from server."));
    server.route(kReverse, FakeServer::json("not json"));
    EXPECT_THROW(await(provider().reverseGeocode(1, 2)), JsonError);
    server.route(kReverse, FakeServer::json("quota", 402));
    EXPECT_EQ(
        descriptionOf([&] { await(provider().reverseGeocode(1, 2)); }), QStringLiteral("Request failed (402): quota"));
}

TEST_F(LocationProviderTest, ResolutionPrefersTheDeviceAndFallsBackSilently)
{
    const QString zone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    {
        SCOPED_TRACE("no location service: IP geolocation");
        const SavedLocation place = await(provider().resolveCurrentLocation());
        EXPECT_EQ(place,
            (SavedLocation { QStringLiteral("Allmanna sjukhuset"), QStringLiteral("Skane County"),
                QStringLiteral("Sweden"), 1.3553794, 103.8677444, zone }));
        EXPECT_EQ(server.requests(kReverse).constLast().queryValue(QStringLiteral("longitude")),
            QStringLiteral("103.8677444"));
    }
    auto owned = std::make_unique<FakePositionBackend>();
    FakePositionBackend *backend = owned.get();
    PositionSource source(std::move(owned));
    const int ipRequests = server.count(kIp1);
    {
        SCOPED_TRACE("the device answers");
        backend->behavior = FakePositionBackend::Behavior::AnswerLater;
        auto located = provider(&source);
        EXPECT_FALSE(located.isAlwaysAuthorized());
        const SavedLocation place = await(located.resolveCurrentLocation());
        EXPECT_EQ(place.latitude, 51.5072);
        EXPECT_EQ(place.longitude, -0.1276);
        EXPECT_EQ(place.timezone, zone);
        EXPECT_EQ(server.count(kIp1), ipRequests);
        EXPECT_TRUE(located.isAlwaysAuthorized());
    }
    for (auto behavior : { FakePositionBackend::Behavior::StaySilent, FakePositionBackend::Behavior::Fail,
             FakePositionBackend::Behavior::Deny }) {
        SCOPED_TRACE(static_cast<int>(behavior));
        backend->behavior = behavior;
        auto located = provider(&source, 150ms);
        EXPECT_EQ(await(located.resolveCurrentLocation()).latitude, 1.3553794);
        EXPECT_FALSE(located.isAlwaysAuthorized());
    }
    {
        SCOPED_TRACE("reverse geocoding failing fails the resolution");
        server.route(kReverse, FakeServer::json("down", 503));
        EXPECT_EQ(descriptionOf([&] { await(provider().resolveCurrentLocation()); }),
            QStringLiteral("Request failed (503): down"));
    }
}
