// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/PendingWaits.h"

#include <QTimer>

#include <QCoroSignal>

namespace net {

namespace {
bool g_ending = false;

class Wake : public QObject
{
    Q_OBJECT
Q_SIGNALS:
    void woken();
};
} // namespace

detail::PendingWaits &detail::pendingWaits()
{
    static PendingWaits waits;
    return waits;
}

bool endingPendingWaits()
{
    return g_ending;
}

void endPendingWaits()
{
    if (g_ending) {
        return;
    }
    g_ending = true;
    Q_EMIT detail::pendingWaits().ending();
    g_ending = false;
}

QCoro::Task<bool> sleepFor(std::chrono::milliseconds duration)
{
    if (g_ending) {
        co_return false;
    }
    bool slept = false;
    Wake wake;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &wake, [&] {
        slept = true;
        Q_EMIT wake.woken();
    });
    QObject::connect(&detail::pendingWaits(), &detail::PendingWaits::ending, &wake, &Wake::woken);
    timer.start(duration);
    co_await qCoro(&wake, &Wake::woken);
    co_return slept;
}

} // namespace net

#include "PendingWaits.moc"
