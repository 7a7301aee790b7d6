// SPDX-License-Identifier: GPL-3.0-or-later
// Onboarding in the real main window over the real model, from the keyboard: Return presses each
// step's main button, the key is typed into its field and lands in the keyring, and the forecast
// starts with `welcomed` set; then the settings window opens with Ctrl+, and closes with Escape.
// Over the first forecast the voice introduction comes once and leads to the settings' voice
// section. Leaves screenshots of every step and window, light and dark, in build-test/screenshots/.
#include "ui/WelcomeFlow.h"

#include "weather/SavedLocation.h"

#include "Await.h"
#include "MainWindowWorld.h"
#include "TestKeys.h"

#include <QDir>
#include <QKeyEvent>
#include <QQmlApplicationEngine>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickWindow>
#include <qpa/qwindowsysteminterface.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace std::chrono_literals;
using test_support::await;
using test_support::spin;
using test_support::spinUntil;

namespace {

// The visible texts under an item, scrolled into view or not.
QStringList textsUnder(const QQuickItem *item)
{
    if (!item->isVisible()) {
        return {};
    }
    QStringList texts;
    if (const QVariant text = item->property("text"); text.typeId() == QMetaType::QString) {
        texts.append(text.toString());
    }
    for (const QQuickItem *child : item->childItems()) {
        texts += textsUnder(child);
    }
    return texts;
}

struct OnboardingApp : MainWindowWorld
{
    // `before` readies the world (settings, routes) before the window loads.
    explicit OnboardingApp(const std::function<void(OnboardingApp &)> &before = {})
        : MainWindowWorld(QStringLiteral("org.merrinvale.MerrinVale.onboarding-tests"))
    {
        clearKeys();
        if (before) {
            before(*this);
        }
        load();
    }
    ~OnboardingApp() { clearKeys(); }
    void clearKeys()
    {
        await(keys.deleteKey(KeyStore::kAnthropicAccount));
        await(keys.deleteKey(KeyStore::kGoogleAccount));
    }

    [[nodiscard]] QQuickWindow *settingsWindow() const
    {
        return window()->findChild<QQuickWindow *>(QStringLiteral("settingsWindow"));
    }
    // A key as the desktop delivers it, through the window's shortcuts.
    static void deliver(QWindow *to, int key, Qt::KeyboardModifiers modifiers, const QString &text = {})
    {
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
            to, QEvent::KeyPress, key, modifiers, text);
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
            to, QEvent::KeyRelease, key, modifiers, text);
    }

    void key(int key, const QString &text = {})
    {
        for (const auto type : { QEvent::KeyPress, QEvent::KeyRelease }) {
            QKeyEvent event(type, key, Qt::NoModifier, text);
            QCoreApplication::sendEvent(window(), &event);
        }
    }
    void type(const QString &text)
    {
        for (const QChar c : text) {
            key(0, QString(c));
        }
    }
    [[nodiscard]] WelcomeFlow *flow() const { return window()->findChild<WelcomeFlow *>(); }
    bool reached(WelcomeFlow::Step step)
    {
        // The step is there and its spring has come to rest.
        return spinUntil([&] { return flow()->step() == step; }) && (spin(700ms), true);
    }
    void press(const char *objectName)
    {
        QObject *button = window()->findChild<QObject *>(QString::fromLatin1(objectName));
        ASSERT_NE(button, nullptr) << objectName;
        QMetaObject::invokeMethod(button, "clicked");
    }

    // Every step in both appearances.
    void shoot(const char *step) { shoot(window(), QStringLiteral("welcome-%1").arg(QString::fromLatin1(step))); }
    void shoot(QQuickWindow *shot, const QString &prefix)
    {
        QQmlExpression lookup(qmlContext(window()), window(), QStringLiteral("Theme"));
        auto *theme = lookup.evaluate().value<QObject *>();
        ASSERT_NE(theme, nullptr);
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(MERRIN_SCREENSHOT_DIR)));
        for (const bool dark : { false, true }) {
            theme->setProperty("dark", dark);
            spin(30ms);
            const QString name =
                QStringLiteral("%1-%2.png").arg(prefix, dark ? QStringLiteral("dark") : QStringLiteral("light"));
            EXPECT_TRUE(shot->grabWindow().save(QDir(QStringLiteral(MERRIN_SCREENSHOT_DIR)).filePath(name)));
        }
        theme->setProperty("dark", false);
    }
};

} // namespace

TEST(OnboardingTest, TypingAKeyAndContinuingSavesItAndStartsTheForecast)
{
    OnboardingApp a;
    ASSERT_NE(a.window(), nullptr);
    a.window()->requestActivate();
    ASSERT_TRUE(spinUntil([&] { return a.app.showWelcome(); })) << "a fresh settings file has never been welcomed";
    ASSERT_NE(a.flow(), nullptr);

    using Step = WelcomeFlow::Step;
    ASSERT_TRUE(a.reached(Step::Meet));
    a.shoot("1-meet");
    a.key(Qt::Key_Return);
    ASSERT_TRUE(a.reached(Step::Expertise));
    a.shoot("2-expertise");
    a.key(Qt::Key_Return);
    ASSERT_TRUE(a.reached(Step::Key));
    a.shoot("3-key");
    a.press("skipKey");
    ASSERT_TRUE(a.reached(Step::NoKey));
    a.shoot("5-nokey");
    a.press("back");
    ASSERT_TRUE(a.reached(Step::Key));

    a.type(QStringLiteral(" ") + test_keys::kAnthropicKey + QStringLiteral(" "));
    a.key(Qt::Key_Return);
    ASSERT_TRUE(a.reached(Step::Tune));
    a.shoot("4-tune");
    a.key(Qt::Key_Return);

    EXPECT_TRUE(spinUntil([&] { return !a.app.showWelcome(); }));
    EXPECT_TRUE(a.settings.welcomed());
    EXPECT_TRUE(spinUntil([&] {
        return await(a.keys.readKey(KeyStore::kAnthropicAccount)) == test_keys::kAnthropicKey;
    })) << "the typed key, trimmed, is in the keyring";
    // The model started: it looked for the device's place, found none here, and says so.
    EXPECT_TRUE(spinUntil([&] { return !a.model.locationErrorText().isEmpty() && !a.model.locationLoading(); }));

    // Ctrl+, opens the settings window, which tells where the saved key is and everything else.
    EXPECT_EQ(a.settingsWindow(), nullptr) << "made when first opened";
    a.window()->requestActivate();
    OnboardingApp::deliver(a.window(), Qt::Key_Comma, Qt::ControlModifier, QStringLiteral(","));
    QQuickWindow *settings = a.settingsWindow();
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(spinUntil([&] { return settings->isVisible(); }));
    EXPECT_EQ(settings->title(), QStringLiteral("Settings"));
    const QStringList texts = textsUnder(settings->contentItem());
    for (const char *shown : { "Units", "Temperature", "Fahrenheit (°F)", "Celsius (°C)", "Wind speed", "mph", "km/h",
             "Appearance", "Text size", "Standard", "Large", "Extra Large",
             "Scales Merrin's briefing, answers, and labels. The big temperature stays as designed.", "Anthropic API",
             "Save key", "Saved in your keyring", "Remove key", "Open the Anthropic Console →",
             "Get more local expertise", "Merrin's Voice", "Prepare audio ahead of time", "How to get a key",
             "Play from anywhere", "Right-click Merrin Vale in your launcher and choose Play Weather Briefing",
             "Run merrin-vale --play-briefing, or bind it to a keyboard shortcut", "Notifications", "Daily briefing",
             "Time", "07", "00", "Weather alert notifications", "Introduction", "Replay Merrin's introduction",
             "Credits", "Open-Meteo", "National Weather Service", "Storm Prediction Center",
             "Open-Meteo's 15-minute forecast", "Material Symbols", "Meteocons", "Archivo",
             "by Omnibus-Type (SIL Open Font License)" }) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(shown))) << shown;
    }
    EXPECT_EQ(texts.count(QStringLiteral("Saved in your keyring")), 1) << "only the Anthropic key is saved";
    EXPECT_TRUE(std::any_of(texts.cbegin(), texts.cend(), [](const QString &t) {
        return t.startsWith(QStringLiteral("Powers Merrin's briefing and Ask Merrin. Stored in your desktop keyring;"));
    }));
    const QSize size = settings->size();
    settings->resize(size.width(), 2200); // every section in the picture
    a.shoot(settings, QStringLiteral("settings"));
    settings->resize(settings->minimumSize().width(), 2600);
    a.settings.setFontScale(1.3); // Extra Large, at the narrowest
    a.shoot(settings, QStringLiteral("settings-narrow-1.3"));
    settings->resize(size);

    OnboardingApp::deliver(settings, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_TRUE(spinUntil([&] { return !settings->isVisible(); })) << "Escape closes it";
}

TEST(OnboardingTest, TheVoiceIntroductionComesOnceOverTheFirstForecastAndLeadsToTheVoiceSettings)
{
    OnboardingApp a([](OnboardingApp &w) {
        w.settings.setWelcomed(true);
        w.settings.setLastLocation(SavedLocation { QStringLiteral("Chicago"), QStringLiteral("Illinois"),
            QStringLiteral("United States"), 41.88, -87.63, QStringLiteral("America/Chicago") });
        w.server.routeHandler(QStringLiteral("/v1/forecast"), [](const FakeServer::Request &) {
            return FakeServer::fromFile(QStringLiteral("openmeteo_forecast_synthetic_chicago_7day.json"));
        });
    });
    ASSERT_NE(a.window(), nullptr);
    a.window()->requestActivate();
    QObject *intro = nullptr;
    ASSERT_TRUE(spinUntil([&] {
        intro = a.window()->findChild<QObject *>(QStringLiteral("voiceIntro"));
        return intro && intro->property("opened").toBool();
    }));
    spin(300ms);
    a.shoot(a.window(), QStringLiteral("voice-intro"));

    a.key(Qt::Key_Return); // "Give her a better voice"
    EXPECT_TRUE(spinUntil([&] { return !intro->property("visible").toBool(); }));
    EXPECT_TRUE(a.settings.seenVoiceIntro());
    QQuickWindow *settings = nullptr;
    ASSERT_TRUE(spinUntil([&] {
        settings = a.settingsWindow();
        return settings && settings->isVisible() && settings->activeFocusItem() != nullptr;
    }));
    EXPECT_EQ(settings->activeFocusItem()->property("placeholderText").toString(), QStringLiteral("AIza…"))
        << "opened on the voice section's key field";
}
