// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeNotifications.h"

#include <QDBusMessage>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
} // namespace

FakeNotifications::FakeNotifications()
    : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-notifications")))
{
    m_registered =
        m_bus.registerObject(kPath, this, QDBusConnection::ExportAllSlots) && m_bus.registerService(kService);
}

FakeNotifications::~FakeNotifications()
{
    m_bus.unregisterService(kService);
    m_bus.unregisterObject(kPath);
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-notifications"));
}

uint FakeNotifications::Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
    const QString &body, const QStringList &actions, const QVariantMap &hints, int timeout)
{
    m_posted.append(Posted { appName, replacesId, appIcon, summary, body, actions, hints, timeout });
    return replacesId != 0 ? replacesId : static_cast<uint>(m_posted.size());
}

QStringList FakeNotifications::GetCapabilities()
{
    return { QStringLiteral("body"), QStringLiteral("actions") };
}

void FakeNotifications::invoke(uint id, const QString &action)
{
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kService, QStringLiteral("ActionInvoked"));
    signal << id << action;
    m_bus.send(signal);
}
