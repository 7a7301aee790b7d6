// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoroTask>

#include <exception>
#include <optional>
#include <utility>

// For operations that start several requests together and must let all of them end before a
// failure of one is raised: await each task through capture(), then take() the result, which
// rethrows the task's error at that point.
namespace net {

template <typename T>
struct Captured
{
    std::optional<T> value;
    std::exception_ptr error;

    // The task's result, or its error rethrown.
    T take()
    {
        if (error) {
            std::rethrow_exception(error);
        }
        return std::move(*value);
    }
};

template <typename T>
QCoro::Task<Captured<T>> capture(QCoro::Task<T> task)
{
    Captured<T> captured;
    try {
        captured.value.emplace(co_await std::move(task));
    } catch (...) {
        captured.error = std::current_exception();
    }
    co_return captured;
}

} // namespace net
