// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PositionSource.h"

#include "platform/Log.h"
#include "platform/PositionBackend.h"
#include "platform/QtPositionBackend.h"

#include <QDebug>

#include <QCoroSignal>

#include <cmath>
#include <utility>

PositionError::PositionError(Code code, QString description)
    : AppError(std::move(description))
    , m_code(code)
{ }

PositionSource::PositionSource(std::unique_ptr<PositionBackend> backend, QObject *parent)
    : QObject(parent)
    , m_backend(std::move(backend))
{
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, &PositionSource::onTimeout);
    if (m_backend) {
        connect(m_backend.get(), &PositionBackend::positionUpdated, this, &PositionSource::onPosition);
        connect(m_backend.get(), &PositionBackend::failed, this, &PositionSource::onFailure);
    }
}

PositionSource::~PositionSource() = default;

std::unique_ptr<PositionSource> PositionSource::createDefault(const QString &desktopId, QObject *parent)
{
    return std::make_unique<PositionSource>(QtPositionBackend::createDefault(desktopId), parent);
}

bool PositionSource::isAuthorized() const
{
    return m_backend && !m_accessDenied;
}

QCoro::Task<Coordinates> PositionSource::requestPosition(std::chrono::milliseconds timeout)
{
    if (!m_backend) {
        throw PositionError(PositionError::Code::Denied, QStringLiteral("No location service is available."));
    }
    if (m_accessDenied) {
        throw PositionError(PositionError::Code::Denied, QStringLiteral("Location access was denied."));
    }
    // Listen before asking: a backend may answer before requestUpdate returns. The answer is
    // always a signal, the timeout's included, so the wait needs no timeout of its own.
    auto answer = qCoro(this, &PositionSource::answered);
    if (!m_pending) {
        m_pending = true;
        m_timeout.start(timeout);
        m_backend->requestUpdate(timeout);
    }
    const Answer outcome = co_await std::move(answer);
    if (!outcome.ok) {
        throw PositionError(outcome.code, outcome.message);
    }
    co_return outcome.position;
}

void PositionSource::onTimeout()
{
    if (!m_pending) {
        return;
    }
    // The timer won. Whatever the service says later finds nothing pending.
    m_pending = false;
    qCInfo(platformLog) << "[location] no device position within" << m_timeout.interval() << "ms";
    Q_EMIT answered(
        Answer { false, {}, PositionError::Code::LocationUnknown, QStringLiteral("The device position is unknown.") });
}

void PositionSource::onPosition(double latitude, double longitude)
{
    if (!m_pending) {
        qCInfo(platformLog) << "[location] dropped a device position nobody waits for";
        return;
    }
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || std::abs(latitude) > 90 || std::abs(longitude) > 180) {
        return; // not a position; keep waiting
    }
    m_pending = false;
    m_timeout.stop();
    Q_EMIT answered(Answer { true, Coordinates { latitude, longitude }, PositionError::Code::LocationUnknown, {} });
}

void PositionSource::onFailure(bool accessDenied, const QString &message)
{
    if (accessDenied) {
        m_accessDenied = true;
    }
    if (!m_pending) {
        return;
    }
    m_pending = false;
    m_timeout.stop();
    qCInfo(platformLog) << "[location] device position failed:" << message;
    Q_EMIT answered(Answer { false, {}, accessDenied ? PositionError::Code::Denied : PositionError::Code::Failed,
        message.isEmpty() ? QStringLiteral("The location service failed.") : message });
}
