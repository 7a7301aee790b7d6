// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <QCoroTask>

#include <chrono>

namespace net {

// Ends every wait that only the event loop would otherwise end: requests in flight (they throw
// the cancelled error) and net::sleepFor (it returns false). Each waiting task resumes at once,
// inside this call, and runs on to its end; while the call lasts, new requests and sleeps end
// at once the same way. An owner calls it before it goes, so that no task is left suspended
// for good with nothing to resume it, holding its memory until the process ends.
void endPendingWaits();
// True while endPendingWaits runs.
[[nodiscard]] bool endingPendingWaits();

// Waits for the duration on the event loop. Returns true when the time has passed, false when
// endPendingWaits cut it short: a loop then stops.
[[nodiscard]] QCoro::Task<bool> sleepFor(std::chrono::milliseconds duration);

namespace detail {
class PendingWaits : public QObject
{
    Q_OBJECT
Q_SIGNALS:
    void ending();
};
PendingWaits &pendingWaits();
} // namespace detail

} // namespace net
