// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/AppError.h"
#include "net/Log.h"

#include <QString>

#include <QCoroTask>

#include <utility>

namespace net {

namespace detail {
template <typename T>
QCoro::Task<> awaitAndLog(QCoro::Task<T> task, QString what)
{
    try {
        co_await std::move(task);
    } catch (...) {
        qCWarning(netLog).noquote() << "[app]" << what << "failed:" << describeCurrentException();
    }
}
} // namespace detail

// Starts a task nobody waits for: it runs on by itself until it ends. An exception that escapes
// it would otherwise be kept inside the task and dropped without a word (QCoro keeps it for an
// awaiter that never comes); here it is logged as one line naming `what`, and goes no further.
template <typename T>
void startDetached(QCoro::Task<T> task, QString what)
{
    // The wrapper is itself a task nobody awaits; it cannot throw.
    [[maybe_unused]] QCoro::Task<> running = detail::awaitAndLog(std::move(task), std::move(what));
}

} // namespace net
