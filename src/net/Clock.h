// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Where every time-based decision of the application reads "now". Production uses
// SystemClock; tests and merrin-cli --now use a FixedClock; merrin-vale --now and the demo use a
// ShiftedClock.
class Clock
{
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual QDateTime now() const = 0;

    // An instant as the command lines take it: ISO 8601 with "Z" or an offset
    // ("2024-07-19T16:40:00-07:00"). A time without a zone, or anything else, gives nothing.
    [[nodiscard]] static std::optional<QDateTime> parseInstant(const QString &text);
};

class SystemClock final : public Clock
{
public:
    [[nodiscard]] QDateTime now() const override;
};

// The system clock moved to another instant: it reads `start` when it is made and runs on from
// there at the system clock's pace.
class ShiftedClock final : public Clock
{
public:
    explicit ShiftedClock(const QDateTime &start);
    [[nodiscard]] QDateTime now() const override;

private:
    qint64 m_offsetMs;
};

class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime now);
    [[nodiscard]] QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }
    void advance(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};
