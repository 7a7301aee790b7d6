// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/Clock.h"

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTimeUtc();
}

FixedClock::FixedClock(QDateTime now)
    : m_now(std::move(now))
{ }

std::optional<QDateTime> Clock::parseInstant(const QString &text)
{
    const QDateTime instant = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!instant.isValid() || instant.timeSpec() == Qt::LocalTime) {
        return std::nullopt;
    }
    return instant;
}

ShiftedClock::ShiftedClock(const QDateTime &start)
    : m_offsetMs(QDateTime::currentDateTimeUtc().msecsTo(start))
{ }

QDateTime ShiftedClock::now() const
{
    return QDateTime::currentDateTimeUtc().addMSecs(m_offsetMs);
}
