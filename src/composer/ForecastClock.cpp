// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/ForecastClock.h"

#include "text/DateText.h"

#include <array>

namespace {

// The number of the given width at text[from], or -1 when a character is not an ASCII digit.
int digits(const QString &text, qsizetype from, qsizetype width)
{
    int value = 0;
    for (qsizetype i = from; i < from + width; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9') {
            return -1;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

std::optional<QDate> parseDay(const QString &text)
{
    if (text.size() < 10 || text.at(4) != u'-' || text.at(7) != u'-') {
        return std::nullopt;
    }
    const int year = digits(text, 0, 4);
    const int month = digits(text, 5, 2);
    const int day = digits(text, 8, 2);
    if (year < 0 || month < 0 || day < 0) {
        return std::nullopt;
    }
    const QDate date(year, month, day);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

const std::array<QString, 7> kWeekdays = { QStringLiteral("Monday"), QStringLiteral("Tuesday"),
    QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"), QStringLiteral("Saturday"),
    QStringLiteral("Sunday") };

const std::array<QString, 12> kMonths = { QStringLiteral("January"), QStringLiteral("February"),
    QStringLiteral("March"), QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"),
    QStringLiteral("July"), QStringLiteral("August"), QStringLiteral("September"), QStringLiteral("October"),
    QStringLiteral("November"), QStringLiteral("December") };

} // namespace

ForecastClock::ForecastClock(const QString &timeZoneId)
    : m_zone(text::zoneOrSystem(timeZoneId))
{ }

ForecastClock::ForecastClock()
    : ForecastClock(QString())
{ }

std::optional<QDateTime> ForecastClock::date(const QString &text) const
{
    QTime time(0, 0);
    if (text.contains(u'T')) {
        if (text.size() != 16 || text.at(10) != u'T' || text.at(13) != u':') {
            return std::nullopt;
        }
        const int hour = digits(text, 11, 2);
        const int minute = digits(text, 14, 2);
        if (hour < 0 || minute < 0 || hour > 23 || minute > 59) {
            return std::nullopt;
        }
        time = QTime(hour, minute);
    } else if (text.size() != 10) {
        return std::nullopt;
    }
    const std::optional<QDate> day = parseDay(text);
    if (!day) {
        return std::nullopt;
    }
    const QDateTime instant(*day, time, m_zone);
    if (instant.isValid()) {
        return instant;
    }
    // A wall-clock time skipped by a daylight-saving change (midnight in Santiago on the day
    // clocks go forward) is read with the offset in force before the change: 02:30 becomes 03:30.
    const QDateTime naive(*day, time, Qt::UTC);
    const QDateTime shifted = naive.addSecs(-m_zone.offsetFromUtc(naive.addDays(-1))).toTimeZone(m_zone);
    return shifted.isValid() ? std::optional<QDateTime>(shifted) : std::nullopt;
}

int ForecastClock::weekday(const QDateTime &instant) const
{
    return day(instant).dayOfWeek() % 7 + 1; // Qt counts Monday 1 to Sunday 7
}

QString ForecastClock::hourLabel(const QDateTime &instant) const
{
    const QTime time = local(instant).time();
    const int h = time.hour();
    const int shown = h % 12 == 0 ? 12 : h % 12;
    const QLatin1StringView suffix(h < 12 ? "am" : "pm");
    if (time.minute() == 0) {
        return QString::number(shown) + suffix;
    }
    return QString::number(shown) + u':' + QStringLiteral("%1").arg(time.minute(), 2, 10, QChar(u'0')) + suffix;
}

QString ForecastClock::weekdayName(const QDateTime &instant) const
{
    const int qtDay = day(instant).dayOfWeek();
    return qtDay >= 1 && qtDay <= 7 ? kWeekdays.at(static_cast<size_t>(qtDay - 1)) : QString();
}

QString ForecastClock::monthName(const QDateTime &instant) const
{
    const int month = day(instant).month();
    return month >= 1 && month <= 12 ? kMonths.at(static_cast<size_t>(month - 1)) : QString();
}
