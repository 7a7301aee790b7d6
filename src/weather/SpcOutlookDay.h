// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The convective-outlook category at a place for one day (1 = today, 2, 3).
struct SpcOutlookDay
{
    qint64 day = 0;
    QString code; // the outlook's category code ("TSTM", "MRGL", ...)
    QString label; // its wording
    qint64 level = 0;

    bool operator==(const SpcOutlookDay &) const = default;
};
