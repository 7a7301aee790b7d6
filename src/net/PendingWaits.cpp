// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/PendingWaits.h"

#include <QTimer>

namespace net {

namespace {
bool g_ending = false;
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
    detail::Wake wake;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &wake, [&] {
        slept = true;
        wake.wake();
    });
    QObject::connect(&detail::pendingWaits(), &detail::PendingWaits::ending, &wake, &detail::Wake::wake);
    timer.start(duration);
    co_await wake.woken();
    co_return slept;
}

} // namespace net
