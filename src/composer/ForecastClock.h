// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <optional>

// Reads the forecast's wall-clock texts and the hours, days and weekdays of instants in the
// forecast place's own zone, never in the computer's.
class ForecastClock
{
public:
    // The zone with this IANA id, or the computer's zone when no zone has that id.
    explicit ForecastClock(const QString &timeZoneId);
    // The computer's zone.
    ForecastClock();

    [[nodiscard]] const QTimeZone &timeZone() const { return m_zone; }
    [[nodiscard]] QString timeZoneId() const { return QString::fromUtf8(m_zone.id()); }

    // "yyyy-MM-dd'T'HH:mm" when the text contains a "T", otherwise "yyyy-MM-dd" (midnight), read
    // in the place's zone. A text that does not match gives nothing.
    [[nodiscard]] std::optional<QDateTime> date(const QString &text) const;

    // The instant as the place's wall clock.
    [[nodiscard]] QDateTime local(const QDateTime &instant) const { return instant.toTimeZone(m_zone); }
    [[nodiscard]] int hour(const QDateTime &instant) const { return local(instant).time().hour(); }
    [[nodiscard]] QDate day(const QDateTime &instant) const { return local(instant).date(); }
    [[nodiscard]] bool isSameDay(const QDateTime &a, const QDateTime &b) const { return day(a) == day(b); }
    // 1 for Sunday through 7 for Saturday.
    [[nodiscard]] int weekday(const QDateTime &instant) const;

    // "3pm", "12am", "3:30pm".
    [[nodiscard]] QString hourLabel(const QDateTime &instant) const;
    // The full English weekday name ("Saturday").
    [[nodiscard]] QString weekdayName(const QDateTime &instant) const;
    // The full English month name ("March").
    [[nodiscard]] QString monthName(const QDateTime &instant) const;

private:
    QTimeZone m_zone;
};
