// SPDX-License-Identifier: GPL-3.0-or-later
// The welcome view's steps and what its buttons write: the key into the keyring, `welcomed`.
#include "ui/WelcomeFlow.h"

#include "AppWorld.h"
#include "Await.h"
#include "TestKeys.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using test_support::await;
using test_support::spinUntil;
using Step = WelcomeFlow::Step;

namespace {

class WelcomeFlowTest : public ::testing::Test, protected AppWorld
{
protected:
    WelcomeFlowTest()
        : AppWorld(QStringLiteral("org.merrinvale.MerrinVale.welcome-tests"))
    {
        await(keys.deleteKey(KeyStore::kAnthropicAccount));
    }
    ~WelcomeFlowTest() override { await(keys.deleteKey(KeyStore::kAnthropicAccount)); }

    std::optional<QString> savedKey() { return await(keys.readKey(KeyStore::kAnthropicAccount)); }

    WelcomeFlow flow { &settings };
};

} // namespace

TEST_F(WelcomeFlowTest, AFirstRunGoesThroughEveryStepAndBackAgain)
{
    flow.begin();
    // What is pressed, then the step shown and whether it has a way back.
    const std::tuple<const char *, std::function<void()>, Step, bool> walk[] = {
        { "(start)", [] {}, Step::Meet, false },
        { "Continue", [&] { flow.next(); }, Step::Expertise, true },
        { "Continue", [&] { flow.next(); }, Step::Key, true },
        { "Back", [&] { flow.back(); }, Step::Expertise, true },
        { "Continue", [&] { flow.next(); }, Step::Key, true },
        { "Continue with nothing typed and no key", [&] { flow.continueWithKey(QStringLiteral("  ")); }, Step::Key,
            true },
        { "Skip for now", [&] { flow.skipKey(); }, Step::NoKey, true },
        { "Back", [&] { flow.back(); }, Step::Key, true },
        { "Continue with a key",
            [&] { flow.continueWithKey(QStringLiteral("  ") + test_keys::kAnthropicKey + QStringLiteral("\n")); },
            Step::Tune, true },
    };
    for (const auto &[press, act, then, canGoBack] : walk) {
        SCOPED_TRACE(press);
        act();
        EXPECT_EQ(flow.step(), then);
        EXPECT_EQ(flow.canGoBack(), canGoBack);
    }
    EXPECT_FALSE(flow.returning());
    EXPECT_TRUE(settings.hasApiKey());
    EXPECT_TRUE(spinUntil([&] { return savedKey() == test_keys::kAnthropicKey; })) << "saved trimmed";
    EXPECT_FALSE(settings.welcomed());
}

TEST_F(WelcomeFlowTest, AReturningUserStartsOnTheKeyStepAndMayLeaveOrKeepTheSavedKey)
{
    await(settings.setApiKey(test_keys::kOtherAnthropicKey));
    settings.setWelcomed(true);
    int done = 0;
    QObject::connect(&flow, &WelcomeFlow::done, [&] { ++done; });
    flow.begin();
    EXPECT_TRUE(flow.returning());
    EXPECT_EQ(flow.step(), Step::Key);
    EXPECT_FALSE(flow.canGoBack()) << "\u201cNot right now\u201d stands in for the back button";
    flow.back();
    EXPECT_EQ(flow.step(), Step::Key);
    flow.finish(); // "Not right now"
    EXPECT_EQ(done, 1);
    EXPECT_EQ(savedKey(), test_keys::kOtherAnthropicKey);

    SCOPED_TRACE("continuing with nothing typed keeps the saved key");
    for (const QString &typed : { QString(), QStringLiteral("   "), QStringLiteral(" \t\n") }) {
        flow.begin();
        flow.continueWithKey(typed);
        EXPECT_EQ(flow.step(), Step::Tune);
        EXPECT_EQ(savedKey(), test_keys::kOtherAnthropicKey);
    }
}

TEST_F(WelcomeFlowTest, SkippingTheKeyEndsWelcomedWithoutAKey)
{
    int done = 0;
    QObject::connect(&flow, &WelcomeFlow::done, [&] { ++done; });
    flow.begin();
    flow.next();
    flow.next();
    flow.skipKey();
    ASSERT_EQ(flow.step(), Step::NoKey);
    flow.finish(); // "Start the forecast"
    EXPECT_EQ(done, 1);
    EXPECT_TRUE(settings.welcomed());
    EXPECT_FALSE(savedKey().has_value());
    // The next run goes straight to the forecast, as a fresh store read from the same file says.
    EXPECT_TRUE(SettingsStore(defaults, keys, clock).welcomed());
}
