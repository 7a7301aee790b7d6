// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>

#include <QCoroTask>

// One notification as the desktop shows it.
struct DesktopNotification
{
    // "daily-briefing", "alert-…": a notification with the identifier of one this notifier
    // posted earlier replaces that one.
    QString identifier;
    QString title;
    QString body;
    // Critical urgency with a warning sound; otherwise normal urgency and the desktop's sound.
    bool urgent = false;
    // A picture shown with the text; empty for none.
    QString imagePath;
};

// Desktop notifications through the freedesktop notification service
// (org.freedesktop.Notifications on the session bus). Each notification names the application's
// desktop entry and offers a default action; clicking it comes back as activated(). With no
// notification service on the bus nothing fails: posting gives false, and one console line says
// so the first time.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    static inline const QString kService = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
    static inline const QString kDefaultAction = QStringLiteral("default");

    // appId: the desktop entry's name without ".desktop", also the icon's name.
    DesktopNotifier(
        QString appName, QString appId, QDBusConnection bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);

    // True when the notification service took the notification.
    [[nodiscard]] QCoro::Task<bool> post(DesktopNotification notification);

Q_SIGNALS:
    // The default action of one of this notifier's notifications was invoked.
    void activated(const QString &identifier);

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &action);
    void onNotificationClosed(uint id, uint reason);

private:
    QString m_appName;
    QString m_appId;
    QDBusConnection m_bus;
    QHash<QString, uint> m_shown; // identifier to the service's id, while it is shown
    bool m_missingReported = false;
};
