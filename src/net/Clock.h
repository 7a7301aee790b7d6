// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

// Where every time-based decision of the application reads "now". Production uses
// SystemClock; tests and merrin-cli --now use a FixedClock.
class Clock
{
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    [[nodiscard]] QDateTime now() const override;
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
