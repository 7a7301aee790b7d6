// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-vale as a second process: it hands its request to the running instance on the session
// bus and exits, and --deliver-daily-briefing posts the kept daily briefing by itself.
#include "app/InstanceService.h"
#include "platform/Defaults.h"

#include "Await.h"
#include "DemoApp.h"
#include "FakeNotifications.h"

#include <QTemporaryDir>
#include <QUrl>

#include <QCoroTimer>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// merrin-vale with its own settings and runtime folders.
int runIn(const QTemporaryDir &home, const QStringList &arguments)
{
    return runMerrinVale(arguments,
        { { QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")) },
            { QStringLiteral("XDG_RUNTIME_DIR"), home.path() } })
        .exitCode;
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

    EXPECT_EQ(runIn(home, { QStringLiteral("--deliver-daily-briefing") }), 0);
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
    const QList<std::pair<QString, QString>> cases { { QString(), "activate" }, { "--play-briefing", "play" },
        { "--prepare-briefing", "prepare" }, { "--deliver-daily-briefing", "deliver" } };
    for (const auto &[argument, action] : cases) {
        SCOPED_TRACE(action.toStdString());
        const int before = done.value(action);
        EXPECT_EQ(runIn(home, argument.isEmpty() ? QStringList() : QStringList { argument }), 0);
        EXPECT_EQ(done.value(action), before + 1);
    }
    EXPECT_EQ(done.size(), 4);
    QDBusConnection::disconnectFromBus(connection);
}
