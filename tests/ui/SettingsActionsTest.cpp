// SPDX-License-Identifier: GPL-3.0-or-later
// What the settings window does beyond writing a setting: keys saved trimmed into the keyring or
// removed, units that fetch the forecast again, and the voice introduction's two ways out.
#include "ui/SettingsViewModel.h"
#include "ui/VoiceIntro.h"

#include "app/AppModel.h"
#include "app/LiveSources.h"

#include "AppWorld.h"
#include "Await.h"
#include "TestKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

using test_support::await;
using test_support::spinUntil;

namespace {

struct SettingsWorld : AppWorld
{
    SettingsWorld()
        : AppWorld(QStringLiteral("org.merrinvale.MerrinVale.settings-tests"))
    {
        clearKeys();
    }
    ~SettingsWorld() { clearKeys(); }
    void clearKeys()
    {
        await(keys.deleteKey(KeyStore::kAnthropicAccount));
        await(keys.deleteKey(KeyStore::kGoogleAccount));
    }

    LiveSources sources { network, endpoints, defaults, clock };
    AppModel model { settings, sources, defaults, clock };
    SettingsViewModel actions { &model };
};

} // namespace

TEST(SettingsActionsTest, AKeyIsSavedTrimmedAndABlankDraftOrRemoveLeavesNone)
{
    SettingsWorld w;
    using Model = SettingsViewModel;
    const struct
    {
        QString account;
        void (Model::*save)(const QString &);
        void (Model::*remove)();
        bool (SettingsStore::*flag)() const;
        QString (Model::*problem)() const;
    } rows[] = {
        { KeyStore::kAnthropicAccount, &Model::saveApiKey, &Model::removeApiKey, &SettingsStore::hasApiKey,
            &Model::apiKeyProblem },
        { KeyStore::kGoogleAccount, &Model::saveGoogleApiKey, &Model::removeGoogleApiKey,
            &SettingsStore::hasGoogleApiKey, &Model::googleKeyProblem },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.account.toStdString());
        const auto stored = [&] { return await(w.keys.readKey(row.account)); };
        const auto problem = [&] { return (w.actions.*row.problem)(); };
        // A draft to save, or nothing for Remove key; then the key kept.
        for (const auto &[draft, then] : { std::pair<std::optional<QString>, std::optional<QString>> {
                                               QStringLiteral("  key-one \n"), QStringLiteral("key-one") },
                 { QStringLiteral(" \t\n "), std::nullopt }, { QStringLiteral("key-two"), QStringLiteral("key-two") },
                 { std::nullopt, std::nullopt } }) {
            SCOPED_TRACE(draft.value_or(QStringLiteral("Remove key")).toStdString());
            draft ? (w.actions.*row.save)(*draft) : (w.actions.*row.remove)();
            EXPECT_EQ((w.settings.*row.flag)(), then.has_value()) << "the flag changes at once";
            EXPECT_TRUE(spinUntil([&] { return stored() == then; }));
        }
        // A key with a line break inside is refused, says why, and leaves the saved one alone.
        (w.actions.*row.save)(QStringLiteral("key-three"));
        EXPECT_TRUE(spinUntil([&] { return stored() == QStringLiteral("key-three"); }));
        (w.actions.*row.save)(QStringLiteral("key\r\nX-Injected: yes"));
        EXPECT_TRUE(spinUntil([&] { return !problem().isEmpty(); }));
        EXPECT_TRUE(problem().startsWith(QStringLiteral("An API key can't contain spaces")));
        EXPECT_EQ(stored(), QStringLiteral("key-three"));
        (w.actions.*row.remove)();
        EXPECT_TRUE(spinUntil([&] { return problem().isEmpty() && !stored(); }));
    }
}

TEST(SettingsActionsTest, ChangingTheUnitsFetchesTheForecastInThem)
{
    SettingsWorld w;
    w.server.routeHandler(QStringLiteral("/v1/forecast"), [](const FakeServer::Request &) {
        return FakeServer::fromFile(QStringLiteral("openmeteo_forecast_synthetic_chicago_7day.json"));
    });
    w.model.select({ QStringLiteral("Chicago"), QStringLiteral("Illinois"), QStringLiteral("United States"), 41.88,
        -87.63, QStringLiteral("America/Chicago") });
    ASSERT_TRUE(spinUntil([&] { return w.model.hasForecast() && !w.model.forecastLoading(); }));
    w.actions.setUseFahrenheit(false);
    w.actions.setUseMph(false);
    EXPECT_FALSE(w.settings.useFahrenheit());
    const auto inNewUnits = [&] {
        const QList<FakeServer::Request> sent = w.server.requests(QStringLiteral("/v1/forecast"));
        return std::any_of(sent.cbegin(), sent.cend(), [](const FakeServer::Request &r) {
            return r.queryValue(QStringLiteral("temperature_unit")) == QStringLiteral("celsius")
                && r.queryValue(QStringLiteral("wind_speed_unit")) == QStringLiteral("kmh");
        });
    };
    EXPECT_TRUE(spinUntil(inNewUnits));
    await(w.model.refresh()); // the last refresh ends before the world goes
}

TEST(SettingsActionsTest, ADailyBriefingTimeIsKeptOnlyWhenItIsATimeOfDay)
{
    SettingsWorld w;
    // Hour and minute set, and the time kept then.
    const std::array<int, 4> rows[] = { { 6, 45, 6, 45 }, { 24, 0, 6, 45 }, { -1, 30, 6, 45 }, { 23, 60, 6, 45 },
        { 0, 0, 0, 0 } };
    for (const auto &[hour, minute, keptHour, keptMinute] : rows) {
        SCOPED_TRACE(QStringLiteral("%1:%2").arg(hour).arg(minute).toStdString());
        w.actions.setDailyBriefingTime(hour, minute);
        EXPECT_EQ(w.settings.dailyBriefingHour(), keptHour);
        EXPECT_EQ(w.settings.dailyBriefingMinute(), keptMinute);
    }
}

TEST(SettingsActionsTest, EitherWayOutOfTheVoiceIntroductionMarksItSeen)
{
    // The button, whether a Google key is saved, whether it is the main button, whether it opens
    // the settings.
    const std::tuple<const char *, bool, bool, bool> rows[] = {
        { "Not now", false, false, false },
        { "Give her a better voice", false, true, true },
        { "Close", true, false, false },
        { "Got it", true, true, false },
    };
    for (const auto &[press, googleKey, main, opensSettings] : rows) {
        SCOPED_TRACE(press);
        SettingsWorld w;
        if (googleKey) {
            await(w.settings.setGoogleApiKey(test_keys::kGoogleKey));
        }
        VoiceIntro intro { &w.settings };
        QStringList said;
        QObject::connect(&intro, &VoiceIntro::dismissed, [&] { said.append(QStringLiteral("dismissed")); });
        QObject::connect(
            &intro, &VoiceIntro::openSettingsRequested, [&] { said.append(QStringLiteral("open settings")); });
        main ? intro.accept() : intro.close();
        EXPECT_EQ(said.join(u", "), opensSettings ? u"dismissed, open settings" : u"dismissed");
        EXPECT_TRUE(SettingsStore(w.defaults, w.keys, w.clock).seenVoiceIntro()) << "written, never shown again";
    }
}
