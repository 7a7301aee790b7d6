// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppModel.h"
#include "app/BriefingCache.h"
#include "app/LiveSources.h"
#include "app/MerrinValeApp.h"
#include "app/NotificationService.h"
#include "voice/BriefingAudioPlayer.h"
#include "voice/GoogleTtsService.h"
#include "voice/SpokenBriefing.h"

#include "AppWorld.h"
#include "Await.h"
#include "FakeAudio.h"
#include "FakeNotifications.h"
#include "FakeServer.h"
#include "TestKeys.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>

#include <QCoroTimer>

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
    QCoro::Task<QString> answer(QString question, SavedLocation, std::optional<QString>, QList<QaPair>, Flags) override
    {
        co_await QCoro::sleepFor(answerDelay);
        co_return QStringLiteral("Answer to ") + question;
    }
    QCoro::Task<std::optional<BriefingResult>> generateBriefing(
        SavedLocation, std::optional<QString> key, Flags, QList<NwsAlert> known) override
    {
        ++briefingRequests;
        alertsGiven = known;
        if (!key) {
            co_return std::nullopt;
        }
        if (briefingDelay.count() > 0) {
            co_await QCoro::sleepFor(briefingDelay);
        }
        co_return std::optional<BriefingResult>(briefing);
    }

    int alertRequests = 0;
    int briefingRequests = 0;
    QList<NwsAlert> alertsGiven;
    std::chrono::milliseconds briefingDelay { 0 };
    std::chrono::milliseconds answerDelay { 0 };
    QList<NwsAlert> alerts;
    std::optional<BriefingResult> briefing;
};

// A forecast reply naming the requested latitude in its zone field, so tests can tell places
// apart.
FakeServer::Response forecastFor(const FakeServer::Request &request)
{
    QJsonObject reply =
        QJsonDocument::fromJson(testData(QStringLiteral("openmeteo_forecast_synthetic_chicago_7day.json"))).object();
    reply.insert(QStringLiteral("timezone"), QStringLiteral("zone-") + request.queryValue(QStringLiteral("latitude")));
    return FakeServer::json(QJsonDocument(reply).toJson(QJsonDocument::Compact));
}

class AppModelTest : public ::testing::Test, protected AppWorld
{
protected:
    AppModelTest()
        : AppWorld(QStringLiteral("org.merrinvale.MerrinVale.model-tests"))
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

    static NwsAlert alert(const QString &id, const QString &event, const QString &severity = QStringLiteral("Severe"))
    {
        return NwsAlert { id, event, severity, {}, QStringLiteral("Details."), {}, {}, {}, {}, {} };
    }

    static SavedLocation place(double lat, double lon = 12.5)
    {
        return SavedLocation { QStringLiteral("P%1").arg(lat), QStringLiteral("Region"), std::nullopt, lat, lon,
            QStringLiteral("Europe/Rome") };
    }

    CountingSources sources { network, endpoints, defaults, clock };
};

} // namespace

TEST_F(AppModelTest, SelectClearsTheOldPlaceAndRefreshes)
{
    auto model = makeModel();
    sources.alerts = { alert(QStringLiteral("a1"), QStringLiteral("Heat Advisory"), QStringLiteral("Moderate")) };
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
    QObject::connect(model.get(), &AppModel::forecastChanged, model.get(),
        [&] { seen.append(model->forecast() ? model->forecast()->timezone : QStringLiteral("none")); });
    QObject::connect(model.get(), &AppModel::alertsChanged, model.get(), [&] {
        for (const NwsAlert &alert : model->alerts()) {
            seen.append(alert.event);
        }
    });
    // The first place has an alert; its answers arrive after the second place was chosen.
    sources.alerts = { alert(QStringLiteral("a1"), QStringLiteral("Old Place Warning")) };
    model->select(place(10));
    spin(50ms);
    sources.alerts.clear();
    model->select(place(20));
    ASSERT_TRUE(spinUntil([&] { return forecastRequests() == 2 && !model->forecastLoading(); }));
    spin(900ms); // well past the slow answer
    EXPECT_EQ(model->forecast()->timezone, QStringLiteral("zone-20"));
    EXPECT_FALSE(seen.contains(QStringLiteral("zone-10"))) << seen.join(QLatin1Char(',')).toStdString();
    EXPECT_FALSE(seen.contains(QStringLiteral("Old Place Warning"))) << seen.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(model->alerts().isEmpty());
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
    await(model->refresh());
    EXPECT_EQ(forecastRequests(), 0) << "a refresh without a place changes nothing";
    EXPECT_FALSE(model->forecastLoading());
    EXPECT_FALSE(model->lastRefreshAt().has_value());
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

// Only `welcomed` decides: a saved key does not skip the welcome view (the onboarding tests
// cover the rest).
TEST_F(AppModelTest, ASavedKeyDoesNotSkipTheWelcomeView)
{
    settings.setLastLocation(place(33.25));
    await(settings.setApiKey(test_keys::kAnthropicKey));
    auto model = makeModel();
    MerrinValeApp app(*model, settings);
    app.windowShown();
    EXPECT_TRUE(app.showWelcome());
    spin(50ms);
    EXPECT_FALSE(model->forecastLoading() || model->forecast().has_value()) << "the model waits";
    app.closeWelcome();
    EXPECT_FALSE(app.showWelcome());
    EXPECT_TRUE(spinUntil([&] { return model->forecast().has_value() && !model->briefingLoading(); }));
    await(settings.setApiKey(QString()));
}

// An alert the refresh saw and the loop sees again is notified once; one the loop finds later, too.
TEST_F(AppModelTest, TheAlertLoopWakesOnItsIntervalAndEachAlertIsNotifiedOnce)
{
    FakeNotifications desktop;
    DesktopNotifier notifier(QStringLiteral("Merrin Vale"), QStringLiteral("org.merrinvale.MerrinVale"));
    NotificationService notifications(settings, defaults, notifier, nullptr, clock, QString());
    sources.setNotifications(&notifications);
    settings.setAlertNotificationsEnabled(true);
    AppModel::Intervals intervals;
    intervals.alertPoll = 100ms;
    auto model = makeModel(intervals);
    model->startAlertPolling();
    spin(250ms);
    EXPECT_EQ(sources.alertRequests, 0); // no place, nothing asked
    sources.alerts = { alert(QStringLiteral("once"), QStringLiteral("Flood Warning")) };
    model->select(place(41.5));
    ASSERT_TRUE(spinUntil([&] { return !model->forecastLoading(); }));
    const int afterRefresh = sources.alertRequests;
    sources.alerts.append(alert(QStringLiteral("new"), QStringLiteral("Wind Advisory")));
    spin(350ms);
    EXPECT_GE(sources.alertRequests - afterRefresh, 2);
    EXPECT_EQ(model->alerts().size(), 2);
    ASSERT_TRUE(spinUntil([&] { return desktop.posted().size() >= 2; }));
    spin(100ms);
    ASSERT_EQ(desktop.posted().size(), 2);
    EXPECT_EQ(desktop.posted()[0].summary, QStringLiteral("NWS Flood Warning"));
    EXPECT_EQ(desktop.posted()[1].summary, QStringLiteral("NWS Wind Advisory"));
    sources.setNotifications(nullptr);
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
    ASSERT_TRUE(spinUntil([&] { return forecastRequests() == before + 1 && !model->forecastLoading(); }, 2s));

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

TEST_F(AppModelTest, AnAnswerForAPlaceLeftBehindIsNotAddedToTheNewConversation)
{
    auto model = makeModel();
    model->select(place(41.5));
    await(model->ask(QStringLiteral("  \n\t ")));
    EXPECT_TRUE(model->askHistory().isEmpty()) << "a whitespace question does nothing";
    sources.answerDelay = 300ms;
    auto question = model->ask(QStringLiteral("Will it rain?"));
    EXPECT_TRUE(model->askLoading());
    model->select(place(48.5));
    await(std::move(question));
    EXPECT_TRUE(model->askHistory().isEmpty());
    EXPECT_FALSE(model->askLoading());
    EXPECT_FALSE(model->askError().has_value());
}

TEST_F(AppModelTest, TheCachedBriefingIsShownAndReusedByAge)
{
    await(settings.setApiKey(test_keys::kAnthropicKey));
    sources.briefing =
        BriefingResult { QStringLiteral("Fresh words."), QStringLiteral("Will it rain?"), QStringLiteral("Fresh") };
    sources.briefingDelay = 300ms;
    const SavedLocation here = place(41.5);
    settings.setLastLocation(here);
    const QString signature = briefingSignature(here, true, true, false);

    // "shown at once | loading or rewriting while asked, and shown then | shown at the end | requests"
    const auto startWithCacheAged = [&](qint64 minutes) {
        CachedBriefing::save(defaults,
            CachedBriefing { QStringLiteral("Cached words."), QStringLiteral("Cached question?"),
                QStringLiteral("Cached"), signature, clock.now().addSecs(-minutes * 60) });
        auto model = makeModel();
        sources.briefingRequests = 0;
        QString during = QStringLiteral("idle");
        const auto sample = [&] {
            if (during == QLatin1StringView("idle") && (model->briefingLoading() || model->briefingRewriting())) {
                during = (model->briefingLoading() ? QStringLiteral("loading ") : QString())
                    + (model->briefingRewriting() ? QStringLiteral("rewriting ") : QString())
                    + model->briefing().value_or(QStringLiteral("none"));
            }
        };
        QObject::connect(model.get(), &AppModel::briefingLoadingChanged, model.get(), sample);
        QObject::connect(model.get(), &AppModel::briefingRewritingChanged, model.get(), sample);
        auto task = model->start();
        const QString first = model->briefing().value_or(QStringLiteral("none"));
        await(std::move(task));
        return QStringLiteral("%1 | %2 | %3 | %4")
            .arg(first, during, model->briefing().value_or(QStringLiteral("none")))
            .arg(sources.briefingRequests);
    };
    EXPECT_EQ(startWithCacheAged(40), QStringLiteral("Cached words. | rewriting Cached words. | Fresh words. | 1"));
    EXPECT_EQ(CachedBriefing::load(defaults)->text, QStringLiteral("Fresh words.")) << "stored for the next start";
    EXPECT_EQ(startWithCacheAged(20), QStringLiteral("Cached words. | idle | Cached words. | 0"));
    EXPECT_EQ(startWithCacheAged(120), QStringLiteral("none | loading none | Fresh words. | 1"));
    settings.setUseFahrenheit(false); // another unit: the signature differs, nothing is reused
    EXPECT_EQ(startWithCacheAged(5), QStringLiteral("none | loading none | Fresh words. | 1"));
    await(settings.setApiKey(QString()));
}

TEST_F(AppModelTest, BriefingFlagsEndFalseAfterGoingBackToAPlaceWithAFreshBriefing)
{
    await(settings.setApiKey(test_keys::kAnthropicKey));
    sources.briefing =
        BriefingResult { QStringLiteral("Fresh words."), QStringLiteral("Will it rain?"), QStringLiteral("Fresh") };
    sources.briefingDelay = 400ms;
    const SavedLocation y = place(41.5);
    const SavedLocation x = place(43.5);
    settings.setLastLocation(y);
    CachedBriefing::save(defaults,
        CachedBriefing { QStringLiteral("Cached words."), QStringLiteral("Cached question?"), QStringLiteral("Cached"),
            briefingSignature(y, true, true, false), clock.now().addSecs(-600) });
    auto model = makeModel();
    await(model->start());
    ASSERT_EQ(model->briefing(), QStringLiteral("Cached words."));

    model->select(x);
    ASSERT_TRUE(spinUntil([&] { return model->briefingLoading(); }));
    model->select(y);
    ASSERT_TRUE(spinUntil([&] { return model->briefing() == QStringLiteral("Cached words."); }));
    spin(600ms); // past the answer for the place left behind
    EXPECT_FALSE(model->briefingLoading());
    EXPECT_FALSE(model->briefingRewriting());
    EXPECT_EQ(model->briefing(), QStringLiteral("Cached words."));
    await(settings.setApiKey(QString()));
}

TEST_F(AppModelTest, OneRefreshAsksForAlertsOnceAndRemovingTheKeyClearsTheBriefing)
{
    await(settings.setApiKey(test_keys::kAnthropicKey));
    sources.briefing =
        BriefingResult { QStringLiteral("Words."), QStringLiteral("Question?"), QStringLiteral("Headline") };
    sources.alerts = { alert(QStringLiteral("a1"), QStringLiteral("Wind Advisory"), QStringLiteral("Moderate")) };
    settings.setLastLocation(place(41.5));
    auto model = makeModel();
    await(model->start());
    EXPECT_EQ(sources.alertRequests, 1);
    EXPECT_EQ(sources.briefingRequests, 1);
    EXPECT_EQ(sources.alertsGiven, sources.alerts) << "the briefing gets the alerts the refresh fetched";
    EXPECT_EQ(model->headline(), QStringLiteral("Headline"));
    EXPECT_EQ(model->currentBriefingText(), QStringLiteral("Words."));

    await(settings.setApiKey(QStringLiteral("   ")));
    await(model->refresh());
    EXPECT_FALSE(model->briefing().has_value());
    EXPECT_FALSE(model->headline().has_value());
    EXPECT_FALSE(model->suggestedQuestion().has_value());
    EXPECT_FALSE(model->briefingLoading());
    EXPECT_FALSE(model->briefingRewriting());
    // The local composer speaks instead.
    EXPECT_FALSE(model->currentBriefingText()->isEmpty());
}

TEST_F(AppModelTest, ARefreshPreparesTheVoiceAheadOnlyWhenAskedTo)
{
    const QString gemini = QStringLiteral("/v1beta/models/gemini-3.1-flash-tts-preview:generateContent");
    server.route(gemini, FakeServer::json(R"({"error":{"message":"not in this test"}})", 403));
    auto model = makeModel();
    FakeAudioOutput audio;
    FakeSpeechEngine speech;
    BriefingAudioPlayer player { audio, speech, nullptr, {} };
    GoogleTtsService tts { endpoints.gemini, clock, dir.path() };
    SpokenBriefing spoken { *model, tts, player,
        []() -> QCoro::Task<std::optional<QString>> { co_return std::optional<QString>(test_keys::kGoogleKey); },
        clock };
    model->setSpokenBriefing(&spoken);

    model->select(place(41.5));
    ASSERT_TRUE(spinUntil([&] { return !model->forecastLoading() && model->forecast(); }));
    spin(300ms);
    EXPECT_EQ(server.count(gemini), 0) << "preparing ahead is off by default";

    settings.setPreloadVoice(true);
    model->select(place(42.5));
    EXPECT_TRUE(spinUntil([&] { return server.count(gemini) == 1; }));
    EXPECT_TRUE(spinUntil([&] { return spoken.status() == SpokenBriefing::Status::Failed; }));
}
