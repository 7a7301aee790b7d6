// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtConcurrent/QtConcurrentRun>

#include <QCoroFuture>
#include <QCoroTask>

#include <exception>
#include <optional>
#include <type_traits>
#include <utility>

namespace sources {

// Runs fn on the global thread pool and resumes the caller on its own thread with the result.
// Whatever fn throws is rethrown to the caller as it was (QtConcurrent alone would wrap it).
template <typename Fn>
QCoro::Task<std::invoke_result_t<Fn>> runOffThread(Fn fn)
{
    using Result = std::invoke_result_t<Fn>;
    struct Outcome
    {
        std::optional<Result> value;
        std::exception_ptr error;
    };
    Outcome outcome = co_await QtConcurrent::run([work = std::move(fn)]() mutable {
        Outcome o;
        try {
            o.value.emplace(work());
        } catch (...) {
            o.error = std::current_exception();
        }
        return o;
    });
    if (outcome.error) {
        std::rethrow_exception(outcome.error);
    }
    co_return std::move(*outcome.value);
}

} // namespace sources
