// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/RequestGroup.h"

namespace net {

RequestGroup RequestGroup::create()
{
    RequestGroup group;
    group.m_state = std::make_shared<detail::GroupState>();
    return group;
}

void RequestGroup::abort() const
{
    if (m_state && !m_state->aborted) {
        m_state->aborted = true;
        Q_EMIT m_state->abortRequested();
    }
}

} // namespace net
