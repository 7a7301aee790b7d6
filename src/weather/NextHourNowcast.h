// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// One minute of the next-hour rain nowcast.
struct NowcastMinute
{
    QDateTime date;
    double chance = 0; // 0 to 1
    double intensity = 0; // millimetres per hour

    bool operator==(const NowcastMinute &) const = default;
};

// The next hour's rain, minute by minute. Exists only when rain is expected within the hour.
struct NextHourNowcast
{
    QList<NowcastMinute> minutes; // at most 61, oldest first
    QString summary; // "Rain starting around 3:05 PM", ...

    bool operator==(const NextHourNowcast &) const = default;
};
