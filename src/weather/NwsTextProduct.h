// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One forecaster bulletin (area forecast discussion, hazardous weather outlook), reduced to the
// parts the briefing reads.
struct NwsTextProduct
{
    QString office;
    QString issuedAt; // ISO 8601 text as issued
    QString text;

    bool operator==(const NwsTextProduct &) const = default;
};
