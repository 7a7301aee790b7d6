// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/Clock.h"

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTimeUtc();
}

FixedClock::FixedClock(QDateTime now)
    : m_now(std::move(now))
{ }
