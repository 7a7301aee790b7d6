// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsStore.h"
#include "net/AppError.h"
#include "net/Clock.h"
#include "platform/Defaults.h"
#include "platform/KeyStore.h"

#include "Await.h"
#include "TestKeys.h"
#include "TestOutput.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>

#include <gtest/gtest.h>

#include <limits>

using test_support::await;

namespace {

SavedLocation place(const QString &name, double lat, double lon)
{
    return SavedLocation { name, std::nullopt, std::nullopt, lat, lon, QStringLiteral("UTC") };
}

// A keyring must answer inside the test session; elsewhere the keyring cases are skipped unless
// MERRIN_REQUIRE_KEYRING is set.
bool keyringReachable()
{
    const auto *bus = QDBusConnection::sessionBus().interface();
    return bus != nullptr && bus->isServiceRegistered(QStringLiteral("org.freedesktop.secrets"));
}

class SettingsStoreTest : public ::testing::Test
{
protected:
    test_support::TempDir dir;
    QString path = dir.filePath(QStringLiteral("settings.conf"));
    FixedClock clock { QDateTime::fromString(QStringLiteral("2026-03-07T12:00:00"), Qt::ISODate) };
    KeyStore keys { QStringLiteral("org.merrinvale.MerrinVale.tests") };
};

} // namespace

TEST_F(SettingsStoreTest, ChoicesSurviveARestart)
{
    {
        Defaults defaults(path);
        SettingsStore s(defaults, keys, clock);
        s.setUseFahrenheit(false);
        s.setUseMph(false);
        s.setFontScale(1.4);
        s.setDailyBriefingEnabled(true);
        s.setDailyBriefingHour(6);
        s.setDailyBriefingMinute(45);
        s.setAlertNotificationsEnabled(true);
        s.setLocalExpertiseEnabled(true);
        s.setLastLocation(place(QStringLiteral("Malmö"), 55.6, 13.0));
        s.toggleFavorite(place(QStringLiteral("Oslo"), 59.91, 10.75));
        s.addRecent(place(QStringLiteral("Bergen"), 60.39, 5.32));
    }
    Defaults defaults(path);
    SettingsStore s(defaults, keys, clock);
    EXPECT_FALSE(s.useFahrenheit());
    EXPECT_FALSE(s.useMph());
    EXPECT_DOUBLE_EQ(s.fontScale(), 1.4);
    EXPECT_TRUE(s.dailyBriefingEnabled());
    EXPECT_EQ(s.dailyBriefingHour(), 6);
    EXPECT_EQ(s.dailyBriefingMinute(), 45);
    EXPECT_TRUE(s.alertNotificationsEnabled());
    EXPECT_TRUE(s.localExpertiseEnabled());
    ASSERT_TRUE(s.lastLocation().has_value());
    EXPECT_EQ(s.lastLocation()->name, QStringLiteral("Malmö"));
    ASSERT_EQ(s.favorites().size(), 1);
    EXPECT_EQ(s.favorites()[0].name, QStringLiteral("Oslo"));
    ASSERT_EQ(s.recentLocations().size(), 1);
    EXPECT_EQ(s.recentLocations()[0].name, QStringLiteral("Bergen"));

    s.setLastLocation(std::nullopt);
    EXPECT_FALSE(Defaults(path).contains(QStringLiteral("lastLocation")));
}

// Unreadable values read as the defaults a fresh installation shows.
TEST_F(SettingsStoreTest, CorruptOrMistypedValuesFallBackAndAreReplacedByTheNextWrite)
{
    {
        Defaults defaults(path);
        defaults.setData(QStringLiteral("lastLocation"), "{\"name\":\"No zone\",\"latitude\":1,\"longitude\":2}");
        defaults.setData(QStringLiteral("favorites"),
            "[{\"name\":\"Good\",\"latitude\":1,\"longitude\":2,\"timezone\":\"UTC\"}, 7]");
        defaults.setData(QStringLiteral("recentLocations"), "not json");
        defaults.setString(QStringLiteral("useFahrenheit"), QStringLiteral("yes"));
        defaults.setString(QStringLiteral("fontScale"), QStringLiteral("1.3"));
        defaults.setBool(QStringLiteral("dailyBriefingHour"), true);
    }
    Defaults defaults(path);
    SettingsStore s(defaults, keys, clock);
    EXPECT_FALSE(s.lastLocation().has_value());
    EXPECT_TRUE(s.favorites().isEmpty());
    EXPECT_TRUE(s.recentLocations().isEmpty());
    EXPECT_TRUE(s.useFahrenheit());
    EXPECT_DOUBLE_EQ(s.fontScale(), 1.15);
    EXPECT_EQ(s.dailyBriefingHour(), 7);

    s.addRecent(place(QStringLiteral("Fresh"), 1, 2));
    Defaults reread(path);
    EXPECT_EQ(SettingsStore(reread, keys, clock).recentLocations().size(), 1);
}

// Favourites, moving to the front and clearing: PlacePickingTest.
TEST_F(SettingsStoreTest, RecentPlacesKeepTenAndFollowTheSamePlaceRule)
{
    Defaults defaults(path);
    SettingsStore s(defaults, keys, clock);
    for (int i = 0; i < 11; ++i) {
        s.addRecent(place(QStringLiteral("P%1").arg(i), 10.0 + i, 20.0));
    }
    ASSERT_EQ(s.recentLocations().size(), 10);
    EXPECT_EQ(s.recentLocations().front().name, QStringLiteral("P10"));
    EXPECT_EQ(s.recentLocations().back().name, QStringLiteral("P1")); // P0, the oldest, is gone

    // A place 0.0005° from a recent one replaces it and moves to the front.
    s.addRecent(place(QStringLiteral("P5 again"), 15.0005, 20.0005));
    EXPECT_EQ(s.recentLocations().size(), 10);
    EXPECT_EQ(s.recentLocations().front().name, QStringLiteral("P5 again"));
    EXPECT_EQ(std::count_if(s.recentLocations().cbegin(), s.recentLocations().cend(),
                  [](const SavedLocation &p) { return p.name.startsWith(QStringLiteral("P5")); }),
        1);
}

TEST_F(SettingsStoreTest, DaysOfUseAreCountedOncePerDayAndNoReviewIsRequested)
{
    Defaults defaults(path);
    SettingsStore s(defaults, keys, clock);
    s.countDayOfUse();
    s.countDayOfUse();
    EXPECT_EQ(s.daysUsed(), 1);
    EXPECT_EQ(defaults.stringValue(QStringLiteral("review.lastDayCounted")), QStringLiteral("2026-3-7"));
    clock.advance(24 * 3600);
    s.countDayOfUse();
    EXPECT_EQ(s.daysUsed(), 2);
    // No store receipt on Linux.
    EXPECT_FALSE(s.shouldRequestReview());

    // The count stops at the largest number instead of wrapping round.
    defaults.setInt(QStringLiteral("review.daysUsed"), std::numeric_limits<qint64>::max());
    clock.advance(24 * 3600);
    s.countDayOfUse();
    EXPECT_EQ(s.daysUsed(), std::numeric_limits<qint64>::max());
}

TEST_F(SettingsStoreTest, AKeyThatWouldBreakItsHeaderIsRefused)
{
    Defaults defaults(path);
    SettingsStore s(defaults, keys, clock);
    for (const QString &key : { QStringLiteral("sk-ant-test\r\nX-Injected: yes"), QStringLiteral("sk-ant test"),
             QStringLiteral("sk-ant\u0007") }) {
        try {
            await(s.setApiKey(key));
            ADD_FAILURE() << "accepted " << key.toStdString();
        } catch (const AppError &e) {
            EXPECT_EQ(e.description(),
                QStringLiteral("An API key can't contain spaces, line breaks or control "
                               "characters. Copy the key again and paste only the key."));
        }
        EXPECT_FALSE(s.hasApiKey());
    }
}

// A blank key deletes it: SettingsActionsTest.
TEST_F(SettingsStoreTest, KeysLiveTrimmedInTheKeyring)
{
    if (!keyringReachable()) {
        if (qEnvironmentVariableIsSet("MERRIN_REQUIRE_KEYRING")) {
            FAIL() << "no Secret Service on the session bus";
        }
        GTEST_SKIP() << "no Secret Service on the session bus";
    }
    Defaults defaults(path);
    SettingsStore s(defaults, keys, clock);
    await(s.setApiKey(QStringLiteral("  ") + test_keys::kAnthropicKey + QStringLiteral(" \n")));
    EXPECT_TRUE(s.hasApiKey());
    EXPECT_TRUE(keys.keyringAvailable());

    // A second store over a new keyring client reads it back, trimmed.
    KeyStore otherClient(QStringLiteral("org.merrinvale.MerrinVale.tests"));
    EXPECT_EQ(await(otherClient.readKey(KeyStore::kAnthropicAccount)), test_keys::kAnthropicKey);
    SettingsStore second(defaults, otherClient, clock);
    EXPECT_FALSE(second.hasApiKey()); // corrected by refreshKeyFlags
    await(second.refreshKeyFlags());
    EXPECT_TRUE(second.hasApiKey());
    EXPECT_FALSE(second.hasGoogleApiKey());

    // Keys never land in the settings file.
    await(s.setGoogleApiKey(test_keys::kGoogleKey));
    s.setWelcomed(true); // make sure the settings file exists
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_FALSE(
        written.contains(test_keys::kGoogleKey.toUtf8()) || written.contains(test_keys::kAnthropicKey.toUtf8()));
    await(s.setApiKey(QString()));
    await(s.setGoogleApiKey(QString()));
}

TEST(KeyStoreWithoutKeyring, KeepsKeysInMemoryAndSaysSo)
{
    // A bus without any Secret Service: point the client at a private, empty address.
    if (keyringReachable()) {
        GTEST_SKIP() << "a Secret Service is running on this bus";
    }
    KeyStore keys(QStringLiteral("org.merrinvale.MerrinVale.tests"));
    await(keys.storeKey(KeyStore::kAnthropicAccount, test_keys::kAnthropicKey));
    EXPECT_FALSE(keys.keyringAvailable());
    EXPECT_EQ(await(keys.readKey(KeyStore::kAnthropicAccount)), test_keys::kAnthropicKey);
    await(keys.deleteKey(KeyStore::kAnthropicAccount));
    EXPECT_FALSE(await(keys.readKey(KeyStore::kAnthropicAccount)).has_value());
}
