// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// A desktop notification service for tests: owns org.freedesktop.Notifications on the test's
// session bus, over a connection of its own (as another process would), records every Notify
// call and can click a notification.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Posted
    {
        QString appName;
        uint replacesId = 0;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int timeout = 0;
    };

    FakeNotifications();
    ~FakeNotifications() override;

    [[nodiscard]] bool registered() const { return m_registered; }
    [[nodiscard]] const QList<Posted> &posted() const { return m_posted; }
    // The notification service's ActionInvoked signal for the id Notify returned.
    void invoke(uint id, const QString &action);

public Q_SLOTS:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
        const QString &body, const QStringList &actions, const QVariantMap &hints, int timeout);
    QStringList GetCapabilities();

private:
    QDBusConnection m_bus;
    bool m_registered = false;
    QList<Posted> m_posted;
};
