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
#include <functional>

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
    const struct
    {
        const char *key;
        QString account;
        std::function<void(const QString &)> save;
        std::function<void()> remove;
        std::function<bool()> flag;
        std::function<QString()> problem;
    } rows[] = {
        { "Anthropic", KeyStore::kAnthropicAccount, [&](const QString &d) { w.actions.saveApiKey(d); },
            [&] { w.actions.removeApiKey(); }, [&] { return w.settings.hasApiKey(); },
            [&] { return w.actions.apiKeyProblem(); } },
        { "Google", KeyStore::kGoogleAccount, [&](const QString &d) { w.actions.saveGoogleApiKey(d); },
            [&] { w.actions.removeGoogleApiKey(); }, [&] { return w.settings.hasGoogleApiKey(); },
            [&] { return w.actions.googleKeyProblem(); } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.key);
        const auto stored = [&] { return await(w.keys.readKey(row.account)); };
        const struct
        {
            const char *action;
            std::function<void()> act;
            std::optional<QString> then;
        } steps[] = {
            { "save a pasted key", [&] { row.save(QStringLiteral("  key-one \n")); }, QStringLiteral("key-one") },
            { "save only white space", [&] { row.save(QStringLiteral(" \t\n ")); }, std::nullopt },
            { "save another", [&] { row.save(QStringLiteral("key-two")); }, QStringLiteral("key-two") },
            { "Remove key", [&] { row.remove(); }, std::nullopt },
        };
        for (const auto &step : steps) {
            SCOPED_TRACE(step.action);
            step.act();
            EXPECT_EQ(row.flag(), step.then.has_value()) << "the flag changes at once";
            EXPECT_TRUE(spinUntil([&] { return stored() == step.then; }));
        }
        // A key with a line break inside is refused, says why, and leaves the saved one alone.
        row.save(QStringLiteral("key-three"));
        EXPECT_TRUE(spinUntil([&] { return stored() == QStringLiteral("key-three"); }));
        row.save(QStringLiteral("key\r\nX-Injected: yes"));
        EXPECT_TRUE(spinUntil([&] { return !row.problem().isEmpty(); }));
        EXPECT_TRUE(row.problem().startsWith(QStringLiteral("An API key can't contain spaces")));
        EXPECT_EQ(stored(), QStringLiteral("key-three"));
        row.remove();
        EXPECT_TRUE(spinUntil([&] { return row.problem().isEmpty() && !stored(); }));
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
    const struct
    {
        int hour, minute;
        int keptHour, keptMinute;
    } rows[] = { { 6, 45, 6, 45 }, { 24, 0, 6, 45 }, { -1, 30, 6, 45 }, { 23, 60, 6, 45 }, { 0, 0, 0, 0 } };
    for (const auto &row : rows) {
        SCOPED_TRACE(QStringLiteral("%1:%2").arg(row.hour).arg(row.minute).toStdString());
        w.actions.setDailyBriefingTime(row.hour, row.minute);
        EXPECT_EQ(w.settings.dailyBriefingHour(), row.keptHour);
        EXPECT_EQ(w.settings.dailyBriefingMinute(), row.keptMinute);
    }
}

TEST(SettingsActionsTest, EitherWayOutOfTheVoiceIntroductionMarksItSeen)
{
    const struct
    {
        const char *press;
        bool googleKey;
        bool main;
        bool opensSettings;
    } rows[] = {
        { "Not now", false, false, false },
        { "Give her a better voice", false, true, true },
        { "Close", true, false, false },
        { "Got it", true, true, false },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.press);
        SettingsWorld w;
        if (row.googleKey) {
            await(w.settings.setGoogleApiKey(test_keys::kGoogleKey));
        }
        VoiceIntro intro { &w.settings };
        QStringList said;
        QObject::connect(&intro, &VoiceIntro::dismissed, [&] { said.append(QStringLiteral("dismissed")); });
        QObject::connect(
            &intro, &VoiceIntro::openSettingsRequested, [&] { said.append(QStringLiteral("open settings")); });
        row.main ? intro.accept() : intro.close();
        EXPECT_EQ(said.join(u", "), row.opensSettings ? u"dismissed, open settings" : u"dismissed");
        EXPECT_TRUE(SettingsStore(w.defaults, w.keys, w.clock).seenVoiceIntro()) << "written, never shown again";
    }
}
