// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <QCoroTask>

#include <chrono>
#include <coroutine>
#include <utility>

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

// Something a coroutine awaits until wake() is called, which resumes it then and there (QCoro's
// signal awaiter resumes through a queued event instead, which may come after the owners of the
// coroutine are gone). Connect the signals that end the wait to wake().
class Wake : public QObject
{
public:
    struct Awaiter
    {
        Wake *wake;
        [[nodiscard]] bool await_ready() const noexcept { return wake->m_woken; }
        void await_suspend(std::coroutine_handle<> waiting) const noexcept { wake->m_waiting = waiting; }
        void await_resume() const noexcept { }
    };
    // co_await wake.woken();
    [[nodiscard]] Awaiter woken() noexcept { return Awaiter { this }; }

    void wake()
    {
        if (m_woken) {
            return;
        }
        m_woken = true;
        if (const std::coroutine_handle<> waiting = std::exchange(m_waiting, {})) {
            waiting.resume();
        }
    }

private:
    bool m_woken = false;
    std::coroutine_handle<> m_waiting;
};

class PendingWaits : public QObject
{
    Q_OBJECT
Q_SIGNALS:
    void ending();
};
PendingWaits &pendingWaits();
} // namespace detail

} // namespace net
