// SPDX-License-Identifier: GPL-3.0-or-later
// Notifications as the desktop's notification service receives them (a fake one on the test's
// session bus), and the daily timer's units as a systemd manager (a fake one) is asked to load.
#include "app/NotificationService.h"
#include "composer/BriefingComposer.h"
#include "composer/WeatherFeatures.h"
#include "platform/SystemdUserTimer.h"
#include "weather/ForecastService.h"

#include "AppWorld.h"
#include "Await.h"
#include "FakeNotifications.h"
#include "TestOutput.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::await;
using test_support::spinUntil;

namespace {

// A user systemd manager that records what it is asked.
class FakeSystemd : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.systemd1.Manager")

public:
    FakeSystemd()
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-systemd")))
    {
        m_bus.registerObject(QStringLiteral("/org/freedesktop/systemd1"), this, QDBusConnection::ExportAllSlots);
        m_bus.registerService(QStringLiteral("org.freedesktop.systemd1"));
    }
    ~FakeSystemd() override
    {
        m_bus.unregisterService(QStringLiteral("org.freedesktop.systemd1"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-systemd"));
    }

    QStringList calls;

public Q_SLOTS:
    void Reload() { calls.append(QStringLiteral("Reload")); }
    void EnableUnitFiles(const QStringList &files, bool runtime, bool force)
    {
        calls.append(QStringLiteral("EnableUnitFiles %1 %2 %3")
                         .arg(files.join(u','), runtime ? "runtime" : "persistent", force ? "force" : "no-force"));
    }
    void DisableUnitFiles(const QStringList &files, bool)
    {
        calls.append(QStringLiteral("DisableUnitFiles ") + files.join(u','));
    }
    QDBusObjectPath StartUnit(const QString &name, const QString &mode)
    {
        calls.append(QStringLiteral("StartUnit %1 %2").arg(name, mode));
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/systemd1/job/1"));
    }
    QDBusObjectPath StopUnit(const QString &name, const QString &)
    {
        calls.append(QStringLiteral("StopUnit ") + name);
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/systemd1/job/2"));
    }

private:
    QDBusConnection m_bus;
};

QStringList g_lines;
void keepLine(QtMsgType, const QMessageLogContext &, const QString &line)
{
    if (line.startsWith(QLatin1StringView("[notifications]"))) {
        g_lines.append(line);
    }
}

class NotificationServiceTest : public ::testing::Test, protected AppWorld
{
protected:
    NotificationServiceTest()
        : AppWorld(QStringLiteral("org.merrinvale.MerrinVale.notification-tests"))
    {
        EXPECT_TRUE(fake.registered());
    }

    static NwsAlert alert(const QString &id, const QString &severity = QStringLiteral("Moderate"))
    {
        NwsAlert a;
        a.id = id;
        a.event = QStringLiteral("Heat Advisory");
        a.severity = severity;
        a.headline = QStringLiteral("Heat Advisory until 8 PM");
        a.description = QStringLiteral("Hot.");
        return a;
    }

    bool postedCount(qsizetype n)
    {
        return spinUntil([&] { return fake.posted().size() >= n; }, 5s);
    }

    FakeNotifications fake;
    DesktopNotifier notifier { QStringLiteral("Merrin Vale"), QStringLiteral("org.merrinvale.MerrinVale") };
    test_support::TempDir units;
    SystemdUserTimer timer { QStringLiteral("org.merrinvale.MerrinVale-daily"),
        QStringLiteral("Merrin Vale's daily briefing"),
        { QStringLiteral("/opt/merrin vale/bin/merrin-vale"), QStringLiteral("--deliver-daily-briefing") },
        units.path() };
    NotificationService service { settings, defaults, notifier, &timer, clock, QStringLiteral(MERRIN_AVATAR_PATH) };
};

} // namespace

TEST_F(NotificationServiceTest, AnAlertIsPostedWithItsTitleBodyUrgencyAndHintsAndOpensTheWindow)
{
    const struct
    {
        QString severity;
        bool headline;
        uchar urgency;
    } cases[] = {
        { QStringLiteral("Severe"), true, 2 },
        { QStringLiteral("severe"), true, 1 },
        { QStringLiteral("Moderate"), false, 1 },
        { QStringLiteral("Extreme"), true, 2 },
    };
    const QString avatars = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/MerrinVale/";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.severity.toStdString());
        NwsAlert a = alert(QStringLiteral("id-") + c.severity, c.severity);
        if (!c.headline) {
            a.headline.reset();
        }
        const qsizetype before = fake.posted().size();
        service.notify(a);
        ASSERT_TRUE(postedCount(before + 1));
        const FakeNotifications::Posted &p = fake.posted().constLast();
        EXPECT_EQ(p.appName, QStringLiteral("Merrin Vale"));
        EXPECT_EQ(p.appIcon, QStringLiteral("org.merrinvale.MerrinVale"));
        EXPECT_EQ(p.summary, QStringLiteral("NWS Heat Advisory"));
        EXPECT_EQ(p.body, c.headline ? QStringLiteral("Heat Advisory until 8 PM") : QStringLiteral("Hot."));
        EXPECT_EQ(p.actions, QStringList({ QStringLiteral("default"), QStringLiteral("Open") }));
        EXPECT_EQ(p.hints.value(QStringLiteral("urgency")).metaType(), QMetaType::fromType<uchar>());
        EXPECT_EQ(p.hints.value(QStringLiteral("urgency")).value<uchar>(), c.urgency);
        EXPECT_EQ(
            p.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("org.merrinvale.MerrinVale"));
        EXPECT_EQ(p.hints.value(QStringLiteral("sound-name")).toString(),
            c.urgency == 2 ? QStringLiteral("dialog-warning") : QString());
        const QString image = QUrl(p.hints.value(QStringLiteral("image-path")).toString()).toLocalFile();
        EXPECT_TRUE(image.startsWith(avatars + "merrin-") && QFile::exists(image)) << image.toStdString();
    }
    // Clicking one asks for the window.
    int activations = 0;
    QObject::connect(&service, &NotificationService::activated, [&] { ++activations; });
    fake.invoke(1, QStringLiteral("default"));
    EXPECT_TRUE(spinUntil([&] { return activations == 1; }, 5s));
}

// Only when on, and each alert once: one still in effect stays silent while hundreds of others
// come and go, and the newest hundred are kept.
TEST_F(NotificationServiceTest, AlertsAreNotifiedOnlyWhenOnAndOnlyOnce)
{
    const NwsAlert lasting = alert(QStringLiteral("lasting"));
    service.notifyNewAlerts({ lasting });
    test_support::spin(100ms);
    EXPECT_TRUE(fake.posted().isEmpty());
    EXPECT_FALSE(defaults.read(setting::notifiedAlertIds).has_value());

    settings.setAlertNotificationsEnabled(true);
    for (int i = 0; i < 150; ++i) {
        service.notifyNewAlerts({ lasting, alert(QStringLiteral("passing-%1").arg(i)) });
    }
    service.notifyNewAlerts({ lasting });
    ASSERT_TRUE(postedCount(151));
    test_support::spin(100ms);
    EXPECT_EQ(fake.posted().size(), 151);
    const QJsonArray kept = QJsonDocument::fromJson(*defaults.read(setting::notifiedAlertIds)).array();
    EXPECT_EQ(kept.size(), 100);
    EXPECT_EQ(kept.last().toString(), QStringLiteral("lasting"));
    EXPECT_EQ(kept.first().toString(), QStringLiteral("passing-51"));
}

TEST_F(NotificationServiceTest, TheDailyBodyFallsBackToTheComposerThenToAnInvitation)
{
    const std::optional<Forecast> forecast = ForecastService::parseForecast(
        QJsonDocument::fromJson(testData(QStringLiteral("openmeteo_forecast_synthetic_chicago_7day.json"))).object(),
        std::nullopt, true, true, QStringLiteral("America/Chicago"));
    const auto features = composer::extractFeatures(*forecast, {}, std::nullopt, std::nullopt);
    ASSERT_TRUE(features);
    const QString top = composer::topTodaySentence(*features)->text;
    EXPECT_EQ(dailyBriefingBody(QStringLiteral("Storms by five."), forecast, {}, std::nullopt, std::nullopt),
        QStringLiteral("Storms by five."));
    EXPECT_EQ(dailyBriefingBody(QString(), forecast, {}, std::nullopt, std::nullopt), top);
    EXPECT_EQ(dailyBriefingBody(std::nullopt, std::nullopt, {}, std::nullopt, std::nullopt),
        QStringLiteral("Open Merrin Vale for today's forecast."));
}

TEST_F(NotificationServiceTest, TheDailyBriefingInstallsAUserTimerAndIsDeliveredFromWhatIsKept)
{
    FakeSystemd systemd;
    settings.setDailyBriefingEnabled(true);
    settings.setDailyBriefingHour(7);
    settings.setDailyBriefingMinute(5);
    const SavedLocation place { QStringLiteral("Phoenix"), QStringLiteral("Arizona"), std::nullopt, 33.45, -112.07,
        QStringLiteral("America/Phoenix") };
    await(service.syncNotifications(place, QString(600, u'x')));

    EXPECT_TRUE(service.dailyTimerInstalled());
    EXPECT_EQ(systemd.calls,
        QStringList({ QStringLiteral("Reload"),
            QStringLiteral("EnableUnitFiles org.merrinvale.MerrinVale-daily.timer persistent force"),
            QStringLiteral("StartUnit org.merrinvale.MerrinVale-daily.timer replace") }));
    QFile timerUnit(units.filePath(QStringLiteral("org.merrinvale.MerrinVale-daily.timer")));
    QFile serviceUnit(units.filePath(QStringLiteral("org.merrinvale.MerrinVale-daily.service")));
    ASSERT_TRUE(timerUnit.open(QIODevice::ReadOnly) && serviceUnit.open(QIODevice::ReadOnly));
    EXPECT_EQ(timerUnit.readAll(),
        "[Unit]\nDescription=Merrin Vale's daily briefing\n\n[Timer]\nOnCalendar=*-*-* 07:05:00\nAccuracySec=1s\n\n"
        "[Install]\nWantedBy=timers.target\n");
    EXPECT_EQ(serviceUnit.readAll(),
        "[Unit]\nDescription=Merrin Vale's daily briefing\n\n[Service]\nType=oneshot\n"
        "ExecStart=\"/opt/merrin vale/bin/merrin-vale\" --deliver-daily-briefing\n");

    EXPECT_TRUE(await(service.deliverDailyBriefing()));
    ASSERT_TRUE(postedCount(1));
    const FakeNotifications::Posted &p = fake.posted().constLast();
    EXPECT_EQ(p.summary, QStringLiteral("Merrin's Briefing · Phoenix"));
    EXPECT_EQ(p.body, QString(500, u'x'));
    EXPECT_EQ(p.hints.value(QStringLiteral("urgency")).value<uchar>(), 1);
    EXPECT_FALSE(p.hints.contains(QStringLiteral("sound-name")));

    // Turning it off takes the timer away and forgets the request.
    systemd.calls.clear();
    settings.setDailyBriefingEnabled(false);
    await(service.syncNotifications(place, QString()));
    EXPECT_EQ(systemd.calls,
        QStringList({ QStringLiteral("StopUnit org.merrinvale.MerrinVale-daily.timer"),
            QStringLiteral("DisableUnitFiles org.merrinvale.MerrinVale-daily.timer"), QStringLiteral("Reload") }));
    EXPECT_FALSE(service.dailyTimerInstalled());
    EXPECT_FALSE(QFile::exists(timerUnit.fileName()) || QFile::exists(serviceUnit.fileName()));
    EXPECT_FALSE(defaults.read(setting::dailyBriefingRequest).has_value());
    EXPECT_FALSE(await(service.deliverDailyBriefing()));
}

TEST_F(NotificationServiceTest, WithoutSystemdTheRunningAppDeliversTheDailyBriefingItself)
{
    // The clock half a second before 07:00, local time.
    clock.set(QDateTime(QDate(2026, 7, 14), QTime(6, 59, 59, 500), Qt::LocalTime));
    g_lines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepLine);
    await(service.scheduleDailyBriefing(7, 0, QStringLiteral("Chicago"), QStringLiteral("Rain by noon.")));
    qInstallMessageHandler(previous);

    EXPECT_FALSE(service.dailyTimerInstalled());
    ASSERT_EQ(g_lines.size(), 1);
    EXPECT_TRUE(g_lines[0].startsWith(QStringLiteral("[notifications] daily briefing schedule failed: Reload: ")))
        << g_lines[0].toStdString();
    EXPECT_TRUE(QDir(units.path()).isEmpty());
    ASSERT_TRUE(postedCount(1));
    EXPECT_EQ(fake.posted().constLast().summary, QStringLiteral("Merrin's Briefing · Chicago"));
    EXPECT_EQ(fake.posted().constLast().body, QStringLiteral("Rain by noon."));
}

TEST(DesktopNotifierTest, WithoutANotificationServiceNothingFailsAndOneLineSaysSo)
{
    DesktopNotifier notifier(QStringLiteral("Merrin Vale"), QStringLiteral("org.merrinvale.MerrinVale"));
    g_lines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepLine);
    const DesktopNotification notification { QStringLiteral("alert-a"), QStringLiteral("NWS Heat Advisory"),
        QStringLiteral("Hot."), true, QString() };
    EXPECT_FALSE(await(notifier.post(notification)));
    EXPECT_FALSE(await(notifier.post(notification)));
    qInstallMessageHandler(previous);
    EXPECT_EQ(g_lines,
        QStringList({ QStringLiteral(
            "[notifications] no notification service on the session bus; notifications are not shown") }));
}

#include "NotificationServiceTest.moc"
