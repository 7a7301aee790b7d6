// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole app in demo mode for the screen tests, with a silent sound and voice in place of the
// desktop's, and what they read from its window; merrin-vale run as a separate process.
#include "main/AppRoot.h"

#include "app/AppModel.h"
#include "app/SettingsStore.h"
#include "ui/HomeViewModel.h"

#include "Await.h"
#include "FakeAudio.h"
#include "HomeCards.h"
#include "TestOutput.h"

#include <QDir>
#include <QProcess>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Every item shown under the item, the item first, through the visual tree (which, unlike the
// object tree, holds what a Repeater makes).
inline void visit(QQuickItem *item, const std::function<void(QQuickItem *)> &visitor)
{
    if (item == nullptr || !item->isVisible() || item->opacity() == 0.0) {
        return;
    }
    visitor(item);
    for (QQuickItem *child : item->childItems()) {
        visit(child, visitor);
    }
}

inline QQuickItem *find(QQuickItem *under, const std::function<bool(QQuickItem *)> &matches)
{
    QQuickItem *found = nullptr;
    visit(under, [&](QQuickItem *item) {
        if (found == nullptr && matches(item)) {
            found = item;
        }
    });
    return found;
}

inline QQuickItem *named(QQuickItem *under, const QString &name)
{
    return find(under, [&](QQuickItem *item) { return item->objectName() == name; });
}

// The texts shown under the item; nothing when there is no item.
inline QStringList textsUnder(QQuickItem *under)
{
    QStringList texts;
    visit(under, [&](QQuickItem *item) {
        if (const QVariant text = item->property("text"); text.typeId() == QMetaType::QString) {
            texts.append(text.toString());
        }
    });
    return texts;
}

// The demo's home screen, up once for the whole suite, past the voice introduction.
class DemoScreen : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        LaunchOptions demo;
        demo.demo = true;
        demo.audio = [] { return std::make_unique<FakeAudioOutput>(); };
        demo.speech = [] { return std::make_unique<FakeSpeechEngine>(); };
        root = new AppRoot(demo);
        root->settings().setSeenVoiceIntro(true);
        loaded = root->load() && test_support::spinUntil([] {
            return root->home().state() == HomeViewModel::State::Cards && root->model().briefing()
                && !root->model().forecastLoading() && laterCardsMade(root->window());
        });
    }
    static void TearDownTestSuite()
    {
        delete root;
        root = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(loaded) << "the demo's home screen did not come up"; }

    static QQuickItem *top() { return root->window()->contentItem(); }

    // The Theme singleton, as Main.qml sees it.
    static QObject *theme()
    {
        QQmlExpression lookup(qmlContext(root->window()), root->window(), QStringLiteral("Theme"));
        return lookup.evaluate().value<QObject *>();
    }

    static void saveShot(const QString &name)
    {
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(MERRIN_SCREENSHOT_DIR)));
        const QImage shot = root->window()->grabWindow();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(QDir(QStringLiteral(MERRIN_SCREENSHOT_DIR)).filePath(name))) << name.toStdString();
    }

    static inline AppRoot *root = nullptr;
    static inline bool loaded = false;
};

struct Finished
{
    int exitCode; // -1 when it did not end by itself
    QString err;
};

// Runs merrin-vale with these extra environment variables, the event loop turning meanwhile (so
// that fakes in this process can answer it).
inline Finished runMerrinVale(const QStringList &arguments, const QMap<QString, QString> &environment = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto it = environment.cbegin(); it != environment.cend(); ++it) {
        env.insert(it.key(), it.value());
    }
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MERRIN_VALE_PATH), arguments);
    const bool ended =
        test_support::spinUntil([&] { return process.state() == QProcess::NotRunning; }, std::chrono::seconds(30));
    if (!ended) {
        process.kill();
        process.waitForFinished();
    }
    const QByteArray err = process.readAllStandardError();
    test_support::recordProcess(process.program(), process.arguments(), process.readAllStandardOutput(), err);
    return { ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromUtf8(err) };
}
