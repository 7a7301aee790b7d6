// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InstanceService.h"

#include "app/Log.h"
#include "net/AppError.h"
#include "net/Detached.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>

namespace {

template <typename T>
QCoro::Task<> runThenReply(QCoro::Task<T> task, QDBusConnection bus, QDBusMessage call, QString method)
{
    try {
        co_await std::move(task);
        bus.send(call.createReply());
    } catch (...) {
        const QString problem = describeCurrentException();
        qCWarning(appLog).noquote() << "[instance]" << method << "failed:" << problem;
        bus.send(call.createErrorReply(QDBusError::Failed, problem));
    }
}

} // namespace

InstanceService::InstanceService(
    std::function<QCoro::Task<>()> play, std::function<QCoro::Task<bool>()> prepare, QObject *parent)
    : QObject(parent)
    , m_play(std::move(play))
    , m_prepare(std::move(prepare))
{ }

bool InstanceService::registerOn(QDBusConnection bus)
{
    if (!bus.isConnected()
        || !bus.registerObject(kObjectPath, kServiceName, this, QDBusConnection::ExportScriptableSlots)) {
        return false;
    }
    if (!bus.registerService(kServiceName)) {
        bus.unregisterObject(kObjectPath);
        return false;
    }
    return true;
}

std::optional<bool> InstanceService::callRunning(QDBusConnection bus, const QString &method, int timeoutMs)
{
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kServiceName).value()) {
        return std::nullopt;
    }
    const QDBusMessage reply = bus.call(
        QDBusMessage::createMethodCall(kServiceName, kObjectPath, kServiceName, method), QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qCWarning(appLog).noquote() << "[instance]" << method << "failed:" << reply.errorMessage();
        return false;
    }
    return true;
}

template <typename T>
void InstanceService::replyWhenDone(QCoro::Task<T> task)
{
    setDelayedReply(true);
    net::startDetached(
        runThenReply(std::move(task), connection(), message(), message().member()), QStringLiteral("instance call"));
}

void InstanceService::PlayBriefing()
{
    replyWhenDone(m_play());
}

void InstanceService::PrepareBriefing()
{
    // Whatever the preparation reports, the call has done its part.
    replyWhenDone(m_prepare());
}

void InstanceService::Activate()
{
    if (m_activate) {
        m_activate();
    }
}

void InstanceService::DeliverDailyBriefing()
{
    if (m_deliver) {
        replyWhenDone(m_deliver());
    }
}
