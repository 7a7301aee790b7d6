// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppModel.h"
#include "app/BriefingCache.h"
#include "app/LiveSources.h"
#include "app/SettingsStore.h"
#include "net/Clock.h"
#include "platform/Defaults.h"
#include "platform/KeyStore.h"

#include "Await.h"
#include "FakeServer.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::await;
using test_support::spin;
using test_support::spinUntil;

namespace {

const QString kForecastPath = QStringLiteral("/v1/forecast");

// The real services against a local server, counting the alert look-ups and the briefings the
// model asks for.
class CountingSources : public LiveSources
{
public:
    using LiveSources::LiveSources;

    QCoro::Task<QList<NwsAlert>> activeAlerts(double, double) override
    {
        ++alertRequests;
        co_return QList<NwsAlert>(alerts); // a copy: never move out of the member
    }
    QCoro::Task<std::optional<BriefingResult>> generateBriefing(SavedLocation, std::optional<QString> key,
                                                                Flags) override
    {
        ++briefingRequests;
        if (!key) {
            co_return std::nullopt;
        }
        co_return std::optional<BriefingResult>(briefing);
    }

    int alertRequests = 0;
    int briefingRequests = 0;
    QList<NwsAlert> alerts;
    std::optional<BriefingResult> briefing;
};

// A forecast reply naming the requested latitude in its zone field, so tests can tell places
// apart.
FakeServer::Response forecastFor(const FakeServer::Request &request)
{
    QJsonObject reply = QJsonDocument::fromJson(testData(QStringLiteral("openmeteo_forecast_synthetic_chicago_7day.json"))).object();
    reply.insert(QStringLiteral("timezone"), QStringLiteral("zone-") + request.queryValue(QStringLiteral("latitude")));
    return FakeServer::json(QJsonDocument(reply).toJson(QJsonDocument::Compact));
}

class AppModelTest : public ::testing::Test
{
protected:
    AppModelTest()
    {
        server.routeHandler(kForecastPath, forecastFor);
        // No key in the test keyring unless a test saves one.
        await(keys.deleteKey(KeyStore::kAnthropicAccount));
    }

    // Main forecast requests only (the nowcast asks the same path for 15-minute data).
    int forecastRequests() const
    {
        int n = 0;
        for (const auto &r : server.requests(kForecastPath)) {
            n += r.queryKeys().contains(QStringLiteral("current")) ? 1 : 0;
        }
        return n;
    }

    std::unique_ptr<AppModel> makeModel(AppModel::Intervals intervals = {})
    {
        return std::make_unique<AppModel>(settings, sources, defaults, clock, intervals);
    }

    static SavedLocation place(double lat, double lon = 12.5)
    {
        return SavedLocation{QStringLiteral("P%1").arg(lat), QStringLiteral("Region"), std::nullopt, lat, lon,
                             QStringLiteral("Europe/Rome")};
    }

    FakeServer server;
    QTemporaryDir dir;
    Defaults defaults{dir.filePath(QStringLiteral("settings.conf"))};
    FixedClock clock{QDateTime::fromString(QStringLiteral("2026-07-14T10:00:00Z"), Qt::ISODate)};
    KeyStore keys{QStringLiteral("org.merrinvale.MerrinVale.model-tests")};
    SettingsStore settings{defaults, keys, clock};
    QNetworkAccessManager network;
    Endpoints endpoints = [this] {
        // Everything goes to the local server; what it has no route for fails there, as a
        // secondary source may.
        Endpoints e;
        for (const QString &field : Endpoints::fieldNames()) {
            e.applyOverrides(QJsonObject{{field, server.baseUrl()}});
        }
        return e;
    }();
    CountingSources sources{network, endpoints, defaults, clock};
};

} // namespace

TEST_F(AppModelTest, ARefreshWithoutAPlaceChangesNothing)
{
    auto model = makeModel();
    await(model->refresh());
    EXPECT_EQ(forecastRequests(), 0);
    EXPECT_FALSE(model->forecastLoading());
    EXPECT_FALSE(model->lastRefreshAt().has_value());
    EXPECT_FALSE(model->currentBriefingText().has_value());
}

TEST_F(AppModelTest, SelectClearsTheOldPlaceAndRefreshes)
{
    auto model = makeModel();
    sources.alerts = {NwsAlert{QStringLiteral("a1"), QStringLiteral("Heat Advisory"), QStringLiteral("Moderate"), {}, {}, {}, {}, {}, {}, {}}};
    model->select(place(41.5));
    EXPECT_TRUE(model->forecastLoading());
    ASSERT_TRUE(spinUntil([&] { return !model->forecastLoading(); }));
    ASSERT_TRUE(model->forecast().has_value());
    EXPECT_EQ(model->forecast()->timezone, QStringLiteral("zone-41.5"));
    EXPECT_EQ(model->alerts().size(), 1);
    EXPECT_EQ(settings.lastLocation(), place(41.5));
    EXPECT_EQ(defaults.dataValue(QStringLiteral("lastLocation")).has_value(), true);

    model->select(place(42.5));
    // Everything of the old place is gone at once.
    EXPECT_FALSE(model->forecast().has_value());
    EXPECT_TRUE(model->alerts().isEmpty());
    EXPECT_FALSE(model->briefing().has_value());
    ASSERT_TRUE(spinUntil([&] { return model->forecast().has_value(); }));
    EXPECT_EQ(model->forecast()->timezone, QStringLiteral("zone-42.5"));
    // Without a key no AI briefing is shown; the local composer's briefing stands in, led by the alert.
    EXPECT_FALSE(model->briefing().has_value());
    ASSERT_TRUE(model->currentBriefingText().has_value());
    EXPECT_TRUE(model->currentBriefingText()->startsWith(QStringLiteral("A Heat Advisory is in effect")))
        << model->currentBriefingText()->toStdString();
}

TEST_F(AppModelTest, ASupersededRefreshWritesNothing)
{
    // The first place answers slowly; the second quickly.
    server.routeHandler(kForecastPath, [](const FakeServer::Request &r) {
        FakeServer::Response response = forecastFor(r);
        if (r.queryValue(QStringLiteral("latitude")) == QStringLiteral("10")) {
            response.delay = 600ms;
        }
        return response;
    });
    auto model = makeModel();
    QStringList seen;
    QObject::connect(model.get(), &AppModel::forecastChanged, model.get(), [&] {
        seen.append(model->forecast() ? model->forecast()->timezone : QStringLiteral("none"));
    });
    model->select(place(10));
    spin(50ms);
    model->select(place(20));
    ASSERT_TRUE(spinUntil([&] { return forecastRequests() == 2 && !model->forecastLoading(); }));
    spin(900ms); // well past the slow answer
    EXPECT_EQ(model->forecast()->timezone, QStringLiteral("zone-20"));
    EXPECT_FALSE(seen.contains(QStringLiteral("zone-10"))) << seen.join(QLatin1Char(',')).toStdString();
    EXPECT_FALSE(model->forecastLoading());
}

TEST_F(AppModelTest, AFailedForecastKeepsThePreviousOneWithTheError)
{
    auto model = makeModel();
    model->select(place(41.5));
    ASSERT_TRUE(spinUntil([&] { return model->forecast().has_value() && !model->forecastLoading(); }));
    server.route(kForecastPath, FakeServer::json("busy", 503));
    await(model->refresh());
    ASSERT_TRUE(model->forecast().has_value());
    EXPECT_EQ(model->forecastError(), QStringLiteral("Request failed (503): busy"));
    EXPECT_FALSE(model->forecastLoading());
    // The next good refresh clears the error.
    server.routeHandler(kForecastPath, forecastFor);
    await(model->refresh());
    EXPECT_FALSE(model->forecastError().has_value());
}

TEST_F(AppModelTest, RefreshIfStaleWaitsTwoMinutes)
{
    auto model = makeModel();
    model->select(place(41.5));
    ASSERT_TRUE(spinUntil([&] { return !model->forecastLoading() && model->forecast(); }));
    EXPECT_EQ(forecastRequests(), 1);
    clock.advance(119);
    await(model->refreshIfStale());
    EXPECT_EQ(forecastRequests(), 1);
    clock.advance(1);
    await(model->refreshIfStale());
    EXPECT_EQ(forecastRequests(), 2);
}

TEST_F(AppModelTest, StartUsesTheLastPlaceOrLooksForTheDevicesOne)
{
    auto model = makeModel();
    // No last place: the look-up runs (and fails here, with its message).
    await(model->start());
    EXPECT_FALSE(model->location().has_value());
    EXPECT_TRUE(model->locationError().has_value());
    EXPECT_FALSE(model->locationLoading());

    settings.setLastLocation(place(33.25));
    auto second = makeModel();
    await(second->start());
    ASSERT_TRUE(second->forecast().has_value());
    EXPECT_EQ(second->forecast()->timezone, QStringLiteral("zone-33.25"));
}

TEST_F(AppModelTest, TheAlertLoopWakesOnItsInterval)
{
    AppModel::Intervals intervals;
    intervals.alertPoll = 100ms;
    auto model = makeModel(intervals);
    model->startAlertPolling();
    spin(250ms);
    EXPECT_EQ(sources.alertRequests, 0); // no place, nothing asked
    model->select(place(41.5));
    ASSERT_TRUE(spinUntil([&] { return !model->forecastLoading(); }));
    const int afterRefresh = sources.alertRequests;
    sources.alerts = {NwsAlert{QStringLiteral("new"), QStringLiteral("Flood Warning"), QStringLiteral("Severe"), {}, {}, {}, {}, {}, {}, {}}};
    spin(350ms);
    EXPECT_GE(sources.alertRequests - afterRefresh, 2);
    EXPECT_EQ(model->alerts().size(), 1);
}

TEST_F(AppModelTest, TheDailyLoopRefreshesTenMinutesAhead)
{
    AppModel::Intervals intervals;
    intervals.dailyRearm = 10s; // long enough that each case sees one wake-up
    settings.setDailyBriefingHour(7);
    settings.setDailyBriefingMinute(0);
    settings.setLastLocation(place(41.5));

    // 06:49:59.7 local: the refresh falls due at 06:50, 300 ms later.
    clock.set(QDateTime(QDate(2026, 7, 14), QTime(6, 49, 59, 700), Qt::LocalTime));
    settings.setDailyBriefingEnabled(true);
    auto model = makeModel(intervals);
    model->select(place(41.5));
    ASSERT_TRUE(spinUntil([&] { return !model->forecastLoading(); }));
    const int before = forecastRequests();
    model->scheduleBriefingRefresh();
    spin(150ms);
    EXPECT_EQ(forecastRequests(), before);
    ASSERT_TRUE(spinUntil([&] { return forecastRequests() == before + 1; }, 2s));

    // Enabled at 06:55: the refresh runs at once.
    clock.set(QDateTime(QDate(2026, 7, 14), QTime(6, 55), Qt::LocalTime));
    const int again = forecastRequests();
    model->scheduleBriefingRefresh();
    ASSERT_TRUE(spinUntil([&] { return forecastRequests() == again + 1; }, 1s));

    // Turned off: scheduling starts nothing.
    settings.setDailyBriefingEnabled(false);
    clock.set(QDateTime(QDate(2026, 7, 14), QTime(6, 56), Qt::LocalTime));
    model->scheduleBriefingRefresh();
    const int off = forecastRequests();
    spin(300ms);
    EXPECT_EQ(forecastRequests(), off);
}

TEST_F(AppModelTest, AWhitespaceQuestionDoesNothing)
{
    auto model = makeModel();
    model->select(place(41.5));
    await(model->ask(QStringLiteral("  \n\t ")));
    EXPECT_FALSE(model->askLoading());
    EXPECT_FALSE(model->askError().has_value());
    EXPECT_TRUE(model->askHistory().isEmpty());
}
