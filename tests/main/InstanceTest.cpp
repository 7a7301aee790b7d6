// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-vale as a second process: it hands its request to the running instance on the session
// bus and exits, and --deliver-daily-briefing posts the kept daily briefing by itself.
#include "app/InstanceService.h"
#include "platform/Defaults.h"

#include "Await.h"
#include "FakeNotifications.h"
#include "TestOutput.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <QCoroTimer>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::spinUntil;

namespace {

// Runs merrin-vale with its own settings and runtime folders, the event loop turning meanwhile
// (the fakes answer from this process); its exit code, or -1 when it did not end.
int runMerrinVale(const QStringList &arguments, const QTemporaryDir &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MERRIN_VALE_PATH), arguments);
    const bool ended = spinUntil([&] { return process.state() == QProcess::NotRunning; }, 30s);
    if (!ended) {
        process.kill();
        process.waitForFinished();
    }
    test_support::recordProcess(
        process.program(), process.arguments(), process.readAllStandardOutput(), process.readAllStandardError());
    return ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

TEST(InstanceTest, TheDailyTimersCommandPostsTheKeptBriefing)
{
    test_support::TempDir home;
    Defaults kept(home.filePath(QStringLiteral("config/MerrinVale/MerrinVale.conf")));
    kept.write(setting::dailyBriefingRequest,
        QStringLiteral(R"({"hour":7,"minute":0,"title":"Merrin's Briefing · Phoenix","body":"Hot and dry."})")
            .toUtf8());
    FakeNotifications desktop;
    ASSERT_TRUE(desktop.registered());

    EXPECT_EQ(runMerrinVale({ QStringLiteral("--deliver-daily-briefing") }, home), 0);
    ASSERT_EQ(desktop.posted().size(), 1);
    const FakeNotifications::Posted &posted = desktop.posted()[0];
    EXPECT_EQ(posted.summary, QStringLiteral("Merrin's Briefing · Phoenix"));
    EXPECT_EQ(posted.body, QStringLiteral("Hot and dry."));
    EXPECT_EQ(posted.hints.value(QStringLiteral("urgency")).value<uchar>(), 1);
    const QString image = QUrl(posted.hints.value(QStringLiteral("image-path")).toString()).toLocalFile();
    EXPECT_TRUE(image.startsWith(home.filePath(QStringLiteral("MerrinVale/merrin-")))) << image.toStdString();
}

TEST(InstanceTest, ASecondMerrinValeHandsItsRequestToTheRunningOneAndExits)
{
    QMap<QString, int> done;
    // Each call is answered only when its work has finished, after a pause here.
    InstanceService instance(
        [&]() -> QCoro::Task<> {
            co_await QCoro::sleepFor(200ms);
            ++done[QStringLiteral("play")];
        },
        [&]() -> QCoro::Task<bool> {
            co_await QCoro::sleepFor(200ms);
            ++done[QStringLiteral("prepare")];
            co_return true;
        });
    instance.setActivate([&] { ++done[QStringLiteral("activate")]; });
    instance.setDeliverDailyBriefing([&]() -> QCoro::Task<bool> {
        co_await QCoro::sleepFor(200ms);
        ++done[QStringLiteral("deliver")];
        co_return true;
    });
    const QString connection = QStringLiteral("running-instance");
    ASSERT_TRUE(instance.registerOn(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connection)));

    test_support::TempDir home;
    const struct
    {
        QString argument;
        QString action;
    } cases[] = {
        { QString(), QStringLiteral("activate") },
        { QStringLiteral("--play-briefing"), QStringLiteral("play") },
        { QStringLiteral("--prepare-briefing"), QStringLiteral("prepare") },
        { QStringLiteral("--deliver-daily-briefing"), QStringLiteral("deliver") },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.action.toStdString());
        const int before = done.value(c.action);
        EXPECT_EQ(runMerrinVale(c.argument.isEmpty() ? QStringList() : QStringList { c.argument }, home), 0);
        EXPECT_EQ(done.value(c.action), before + 1);
    }
    EXPECT_EQ(done.size(), 4);
    QDBusConnection::disconnectFromBus(connection);
}
