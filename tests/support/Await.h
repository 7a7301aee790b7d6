// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestOutput.h"
#include "net/AppError.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <QCoroTask>

#include <chrono>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <type_traits>

// Runs the event loop until a task finishes and returns its result, rethrowing what it threw.
// Unlike QCoro::waitFor it never hangs when the task throws, and it gives up after a timeout.
namespace test_support {

struct AwaitTimeout : std::runtime_error
{
    AwaitTimeout()
        : std::runtime_error("the task did not finish in time")
    { }
};

template <typename T>
struct AwaitState
{
    std::conditional_t<std::is_void_v<T>, bool, std::optional<T>> value {};
    std::exception_ptr error;
    bool done = false;
    QEventLoop loop;
};

template <typename T>
QCoro::Task<> runInto(QCoro::Task<T> task, std::shared_ptr<AwaitState<T>> state)
{
    try {
        if constexpr (std::is_void_v<T>) {
            co_await std::move(task);
        } else {
            state->value.emplace(co_await std::move(task));
        }
    } catch (...) {
        state->error = std::current_exception();
        recordLine(QStringLiteral("[await] the task threw: ") + describeCurrentException());
    }
    state->done = true;
    state->loop.quit();
}

template <typename T>
T await(QCoro::Task<T> task, std::chrono::milliseconds timeout = std::chrono::seconds(20))
{
    auto state = std::make_shared<AwaitState<T>>();
    auto runner = runInto<T>(std::move(task), state);
    if (!state->done) {
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &state->loop, &QEventLoop::quit);
        timer.start(timeout);
        state->loop.exec();
    }
    if (!state->done) {
        throw AwaitTimeout();
    }
    if (state->error) {
        std::rethrow_exception(state->error);
    }
    if constexpr (!std::is_void_v<T>) {
        return std::move(*state->value);
    }
}

// Runs the event loop for a while (timers, queued calls, replies).
inline void spin(std::chrono::milliseconds duration)
{
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

// Spins until the condition holds or the timeout passes; returns whether it held.
template <typename Pred>
bool spinUntil(Pred condition, std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace test_support
