// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DesktopNotifier.h"
#include "weather/ClimateNormals.h"
#include "weather/Forecast.h"
#include "weather/NextHourNowcast.h"
#include "weather/NwsAlert.h"
#include "weather/SavedLocation.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTime>
#include <QTimer>

#include <QCoroTask>

#include <optional>

class Clock;
class Defaults;
class SettingsStore;
class SystemdUserTimer;

// The daily notification's text: the briefing's headline; else the strongest sentence the local
// composer has about today; else "Open Merrin Vale for today's forecast.".
[[nodiscard]] QString dailyBriefingBody(const std::optional<QString> &headline, const std::optional<Forecast> &forecast,
    const QList<NwsAlert> &alerts, const std::optional<NextHourNowcast> &nowcast,
    const std::optional<ClimateNormals> &normals);

// Builds and posts the app's two kinds of notification: the daily briefing at the time the user
// picked, and one for each new weather alert at the place.
//
// The daily briefing is kept in the settings as it is to be posted, and a systemd user timer runs
// `merrin-vale --deliver-daily-briefing` at that time every day, so it arrives while the app is
// closed too (a running app posts it itself when asked over the bus). Without systemd the timer
// cannot be installed: the running app then posts the briefing itself when the time comes, and
// dailyTimerInstalled stays false so the settings screen can say the app must be running.
// Notifications need no permission on Linux.
class NotificationService : public QObject
{
    Q_OBJECT
    // Whether the daily briefing arrives while the app is closed (the systemd timer is in place).
    Q_PROPERTY(bool dailyTimerInstalled READ dailyTimerInstalled NOTIFY dailyTimerInstalledChanged)

public:
    static inline const QString dailyBriefingId = QStringLiteral("daily-briefing");
    static constexpr int kMaxBodyLength = 500;
    static constexpr int kRememberedAlerts = 100;

    // timer may be null: the daily briefing then arrives only while the app runs. avatarPath:
    // Merrin's portrait, copied for each notification into the runtime folder.
    NotificationService(SettingsStore &settings, Defaults &defaults, DesktopNotifier &notifier, SystemdUserTimer *timer,
        const Clock &clock, QString avatarPath, QObject *parent = nullptr);

    [[nodiscard]] bool dailyTimerInstalled() const { return m_timerInstalledAt.has_value(); }

    // Keeps the daily briefing for hour:minute (replacing an earlier one) and makes sure it is
    // delivered then.
    QCoro::Task<> scheduleDailyBriefing(int hour, int minute, QString placeName, QString body);
    // Forgets the daily briefing and takes the timer away.
    QCoro::Task<> removeDailyBriefing();
    // Posts the kept daily briefing now; false when none is kept or it could not be posted.
    QCoro::Task<bool> deliverDailyBriefing();
    // The same for a process of its own (merrin-vale --deliver-daily-briefing).
    [[nodiscard]] static QCoro::Task<bool> deliverStoredDailyBriefing(
        Defaults &defaults, DesktopNotifier &notifier, QString avatarPath);

    // Posts one alert's notification.
    void notify(const NwsAlert &alert);
    // With alert notifications on, notifies each alert not notified before and remembers it.
    void notifyNewAlerts(const QList<NwsAlert> &alerts);
    // Brings the daily briefing in line with the settings: kept and scheduled with this body
    // while it is on and a place is chosen, removed otherwise.
    QCoro::Task<> syncNotifications(std::optional<SavedLocation> place, QString dailyBody);

Q_SIGNALS:
    void dailyTimerInstalledChanged();
    // A notification of the app was clicked.
    void activated();

private:
    void armInAppDelivery();
    void setTimerInstalledAt(std::optional<QTime> at);

    SettingsStore &m_settings;
    Defaults &m_defaults;
    DesktopNotifier &m_notifier;
    SystemdUserTimer *m_timer;
    const Clock &m_clock;
    QString m_avatarPath;
    std::optional<QTime> m_timerInstalledAt; // the time the installed timer fires
    std::optional<QTime> m_timerTriedAt; // the last time an install was tried for, this run
    QTimer m_inAppDelivery;
};
