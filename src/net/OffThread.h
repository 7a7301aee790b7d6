// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFuture>
#include <QtConcurrent/QtConcurrentRun>

#include <QCoroFuture>
#include <QCoroTask>

#include <exception>
#include <optional>
#include <type_traits>
#include <utility>

namespace net {

template <typename Result>
struct OffThreadOutcome
{
    std::optional<Result> value;
    std::exception_ptr error;
};

template <typename Result>
QCoro::Task<Result> awaitOutcome(QFuture<OffThreadOutcome<Result>> future)
{
    OffThreadOutcome<Result> outcome = co_await future;
    if (outcome.error) {
        std::rethrow_exception(outcome.error);
    }
    co_return std::move(*outcome.value);
}

// Runs fn on the global thread pool and resumes the caller on its own thread with the result.
// Whatever fn throws is rethrown to the caller as it was (QtConcurrent alone would wrap it).
// Deliberately not a coroutine itself: GCC 12 destroys a closure passed by value to a
// coroutine twice once it has been moved from.
template <typename Fn>
QCoro::Task<std::invoke_result_t<Fn>> runOffThread(Fn fn)
{
    using Result = std::invoke_result_t<Fn>;
    return awaitOutcome<Result>(QtConcurrent::run([work = std::move(fn)]() mutable {
        OffThreadOutcome<Result> outcome;
        try {
            outcome.value.emplace(work());
        } catch (...) {
            outcome.error = std::current_exception();
        }
        return outcome;
    }));
}

} // namespace net
