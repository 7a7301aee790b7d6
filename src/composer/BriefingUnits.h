// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct Forecast;

// How the composer writes numbers with the units the forecast was fetched in. Numbers are rounded
// to the nearest integer, halves away from zero, before they are written.
struct BriefingUnits
{
    bool fahrenheit = false; // the temperature unit text contains "F"
    bool mph = false; // the wind unit text is "mph"
    QString temperatureUnit; // written after temperatures ("°F")
    QString windUnit; // written after speeds ("mph")

    [[nodiscard]] static BriefingUnits fromForecast(const Forecast &forecast);

    // "72°F"
    [[nodiscard]] QString temperature(double value) const;
    // "14 mph"
    [[nodiscard]] QString speed(double value) const;
    // "mid 70s" in Fahrenheit from zero up; "around 22°C" in Celsius or below zero.
    [[nodiscard]] QString temperatureRange(double value) const;

    bool operator==(const BriefingUnits &) const = default;
};

// The nearest integer, halves away from zero; 0 for a value that is not finite.
[[nodiscard]] qint64 roundedHalfAway(double value);
