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
        server.route(kIp1, FakeServer::fromFile(QStringLiteral("ipwhois_io_json_singapore.json")));
        server.route(kIp2, FakeServer::fromFile(QStringLiteral("ipapi_co_json_miami.json")));
        server.route(kReverse, FakeServer::fromFile(QStringLiteral("bigdatacloud_reverse_geocode_client_malmo.json")));
    }

    LocationProvider provider(PositionSource *source = nullptr, std::chrono::milliseconds timeout = 2s)
    {
        const QString base = server.baseUrl();
        return LocationProvider(network,
            Endpoints { .ipGeolocation1 = base + QStringLiteral("/ip1"),
                .ipGeolocation2 = base + QStringLiteral("/ip2"),
                .reverseGeocoding = base + QStringLiteral("/reverse") },
            source, timeout);
    }

    template <typename Call>
    static QString failureOf(Call call)
    {
        try {
            (void)call();
        } catch (const AppError &e) {
            return e.description();
        }
        return QStringLiteral("(no error)");
    }

    FakeServer server;
    QNetworkAccessManager network;
};

} // namespace

TEST_F(LocationProviderTest, IpGeolocationTriesTheServicesInOrder)
{
    EXPECT_EQ(await(provider().detectLocation()), (Coordinates { 1.3553794, 103.8677444 }));
    server.route(kIp1, FakeServer::json(R"({"latitude": 1, "longitude": -77})"));
    EXPECT_EQ(await(provider().detectLocation()), (Coordinates { 1, -77 })) << "integers are numbers";
    EXPECT_EQ(server.count(kIp2), 0);

    server.route(kIp1, FakeServer::json(R"({"success": false, "latitude": 1.5, "longitude": null})"));
    EXPECT_EQ(await(provider().detectLocation()), (Coordinates { 25.7689, -80.1946 }));
    server.route(kIp2, FakeServer::fromFile(QStringLiteral("ipapi_co_json_compact_postal_null.json")));
    for (const char *failure : { "<html>", "[1, 2]" }) {
        server.route(kIp1, FakeServer::json(failure));
        EXPECT_EQ(await(provider().detectLocation()), (Coordinates { 41.79222, 123.43278 })) << failure;
    }
    EXPECT_EQ(server.count(kIp2), 3);

    server.clearRequests();
    server.route(kIp1, FakeServer::json("", 500));
    server.route(kIp2, FakeServer::json(R"({"error": true, "reason": "RateLimited"})"));
    EXPECT_EQ(failureOf([&] { return await(provider().detectLocation()); }),
        QStringLiteral("Request failed (0): Could not detect your location. Use search to pick your city instead."));
    EXPECT_EQ(server.requests().size(), 2);
}

TEST_F(LocationProviderTest, ReverseGeocodingNamesThePlace)
{
    EXPECT_EQ(await(provider().reverseGeocode(55.5836011, 13.0)),
        (LocationProvider::PlaceName {
            QStringLiteral("Allmanna sjukhuset"), QStringLiteral("Skane County"), QStringLiteral("Sweden") }));
    EXPECT_EQ(server.requests(kReverse).constFirst().query,
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
        { R"({"locality": 7, "city": "Hobart", "countryName": ["AU"]})",
            { QStringLiteral("Hobart"), std::nullopt, std::nullopt } },
    };
    for (const auto &c : cases) {
        server.route(kReverse, FakeServer::json(c.reply));
        EXPECT_EQ(await(provider().reverseGeocode(-42.88, 147.33)), c.expected) << c.reply;
    }
}

TEST_F(LocationProviderTest, ResolutionPrefersTheDeviceAndFallsBackSilently)
{
    const QString zone = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    EXPECT_EQ(await(provider().resolveCurrentLocation()),
        (SavedLocation { QStringLiteral("Allmanna sjukhuset"), QStringLiteral("Skane County"), QStringLiteral("Sweden"),
            1.3553794, 103.8677444, zone }))
        << "no location service: IP geolocation";

    auto owned = std::make_unique<FakePositionBackend>();
    FakePositionBackend *backend = owned.get();
    PositionSource source(std::move(owned));
    backend->behavior = FakePositionBackend::Behavior::AnswerLater;
    auto located = provider(&source);
    // A source that has not refused may be asked, before any position of this run.
    EXPECT_TRUE(located.isAlwaysAuthorized());
    EXPECT_FALSE(provider().isAlwaysAuthorized());
    EXPECT_EQ(await(located.resolveCurrentLocation()).latitude, 51.5072);
    EXPECT_EQ(server.count(kIp1), 1);

    backend->behavior = FakePositionBackend::Behavior::StaySilent;
    auto fallback = provider(&source, 150ms);
    EXPECT_EQ(await(fallback.resolveCurrentLocation()).latitude, 1.3553794);
    EXPECT_TRUE(fallback.isAlwaysAuthorized()) << "no answer in time is no refusal";
    backend->behavior = FakePositionBackend::Behavior::Deny;
    EXPECT_EQ(await(fallback.resolveCurrentLocation()).latitude, 1.3553794);
    EXPECT_FALSE(fallback.isAlwaysAuthorized());

    server.route(kReverse, FakeServer::json("down", 503));
    EXPECT_EQ(failureOf([&] { return await(provider().resolveCurrentLocation()); }),
        QStringLiteral("Request failed (503): down"));
}
