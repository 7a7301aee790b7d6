// SPDX-License-Identifier: GPL-3.0-or-later
// Onboarding in the real main window over the real model, from the keyboard: Return presses each
// step's main button, the key is typed into its field and lands in the keyring, and the forecast
// starts with `welcomed` set. Leaves a screenshot of every step, light and dark, in
// build-test/screenshots/.
#include "ui/WelcomeFlow.h"

#include "Await.h"
#include "MainWindowWorld.h"

#include <QDir>
#include <QKeyEvent>
#include <QQmlApplicationEngine>
#include <QQmlExpression>
#include <QQuickWindow>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::await;
using test_support::spin;
using test_support::spinUntil;

namespace {

struct OnboardingApp : MainWindowWorld
{
    OnboardingApp()
        : MainWindowWorld(QStringLiteral("org.merrinvale.MerrinVale.onboarding-tests"))
    {
        await(keys.deleteKey(KeyStore::kAnthropicAccount));
        load();
    }
    ~OnboardingApp() { await(keys.deleteKey(KeyStore::kAnthropicAccount)); }

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
    void shoot(const char *step)
    {
        QQmlExpression lookup(qmlContext(window()), window(), QStringLiteral("Theme"));
        auto *theme = lookup.evaluate().value<QObject *>();
        ASSERT_NE(theme, nullptr);
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(MERRIN_SCREENSHOT_DIR)));
        for (const bool dark : { false, true }) {
            theme->setProperty("dark", dark);
            spin(30ms);
            const QString name =
                QStringLiteral("welcome-%1-%2.png")
                    .arg(QString::fromLatin1(step), dark ? QStringLiteral("dark") : QStringLiteral("light"));
            EXPECT_TRUE(window()->grabWindow().save(QDir(QStringLiteral(MERRIN_SCREENSHOT_DIR)).filePath(name)));
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

    a.type(QStringLiteral(" sk-ant-typed "));
    a.key(Qt::Key_Return);
    ASSERT_TRUE(a.reached(Step::Tune));
    a.shoot("4-tune");
    a.key(Qt::Key_Return);

    EXPECT_TRUE(spinUntil([&] { return !a.app.showWelcome(); }));
    EXPECT_TRUE(a.settings.welcomed());
    EXPECT_TRUE(spinUntil([&] {
        return await(a.keys.readKey(KeyStore::kAnthropicAccount)) == QStringLiteral("sk-ant-typed");
    })) << "the typed key, trimmed, is in the keyring";
    // The model started: it looked for the device's place, found none here, and says so.
    EXPECT_TRUE(spinUntil([&] { return !a.model.locationErrorText().isEmpty() && !a.model.locationLoading(); }));
}
