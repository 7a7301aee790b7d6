// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

namespace net {

namespace detail {
// What the requests of a group listen to.
class GroupState : public QObject
{
    Q_OBJECT
public:
    bool aborted = false;
Q_SIGNALS:
    void abortRequested();
};
} // namespace detail

// Requests started together that can be given up together: once abort() is called, every
// request of the group still running ends with a cancelled NetworkError at the next turn of the
// event loop, and one started later fails before anything is sent. Copies share one group; a
// default-constructed group is no group and never aborts. Main thread only.
class RequestGroup
{
public:
    RequestGroup() = default;
    [[nodiscard]] static RequestGroup create();

    void abort() const;
    [[nodiscard]] bool isAborted() const { return m_state && m_state->aborted; }
    [[nodiscard]] detail::GroupState *state() const { return m_state.get(); }

private:
    std::shared_ptr<detail::GroupState> m_state;
};

} // namespace net
