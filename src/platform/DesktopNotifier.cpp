// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopNotifier.h"

#include "platform/Log.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QPointer>
#include <QUrl>
#include <QVariantMap>

#include <QCoroDBus>

namespace {

const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

// The name is not on the bus and nothing can start it.
bool meansNoService(const QDBusError &error)
{
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoServer:
    case QDBusError::Disconnected:
        return true;
    default:
        return error.name().startsWith(QLatin1StringView("org.freedesktop.DBus.Error.Spawn"));
    }
}

} // namespace

DesktopNotifier::DesktopNotifier(QString appName, QString appId, QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_appName(std::move(appName))
    , m_appId(std::move(appId))
    , m_bus(std::move(bus))
{
    m_bus.connect(
        kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this, SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
        SLOT(onNotificationClosed(uint, uint)));
}

QCoro::Task<bool> DesktopNotifier::post(DesktopNotification notification)
{
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(notification.urgent ? 2 : 1));
    hints.insert(QStringLiteral("desktop-entry"), m_appId);
    if (notification.urgent) {
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("dialog-warning"));
    }
    if (!notification.imagePath.isEmpty()) {
        hints.insert(QStringLiteral("image-path"), QUrl::fromLocalFile(notification.imagePath).toString());
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << m_appName << m_shown.value(notification.identifier, 0U) << m_appId << notification.title
         << notification.body << QStringList { kDefaultAction, QStringLiteral("Open") } << hints << -1;

    QPointer<DesktopNotifier> self(this);
    const QDBusMessage reply = co_await m_bus.asyncCall(call);
    if (!self) {
        co_return false;
    }
    if (reply.type() != QDBusMessage::ReplyMessage) {
        const QDBusError error(reply);
        if (!meansNoService(error)) {
            qCWarning(platformLog).noquote() << "[notifications] could not post a notification:" << error.message();
        } else if (!m_missingReported) {
            m_missingReported = true;
            qCInfo(platformLog).noquote()
                << "[notifications] no notification service on the session bus; notifications are not shown";
        }
        co_return false;
    }
    if (!reply.arguments().isEmpty()) {
        m_shown.insert(notification.identifier, reply.arguments().constFirst().toUInt());
    }
    co_return true;
}

void DesktopNotifier::onActionInvoked(uint id, const QString &action)
{
    const QString identifier = m_shown.key(id);
    if (!identifier.isEmpty() && action == kDefaultAction) {
        Q_EMIT activated(identifier);
    }
}

void DesktopNotifier::onNotificationClosed(uint id, uint)
{
    const QString identifier = m_shown.key(id);
    if (!identifier.isEmpty()) {
        m_shown.remove(identifier);
    }
}
