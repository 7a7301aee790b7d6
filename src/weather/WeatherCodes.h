// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Words and symbols for WMO weather codes and a few other raw numbers. Every function is total:
// any input gives a text.
namespace weather_codes {

// Lower-case phrase for the language model ("clear sky"); "weather code N" for unknown codes.
[[nodiscard]] QString weatherDescription(qint64 code);

struct CardLabel
{
    QString label; // "Sunny", "P. Cloudy", "—" for unknown codes
    QString symbol; // symbol name ("sun.max.fill"); the icon table maps it to a bundled icon
};
// The short label and symbol of the cards; a few symbols differ by night.
[[nodiscard]] CardLabel cardLabel(qint64 code, bool isDay);

// The hero card's upper-case label ("MAINLY SUNNY", "CLEAR", "T-STORMS + HAIL").
[[nodiscard]] QString headlineLabel(qint64 code, bool isDay);

// "Dry" … "Miserable" from a dew point; a Celsius value is converted to Fahrenheit first.
[[nodiscard]] QString comfortWord(bool fahrenheit, double dewPoint);

// One of the eight points "N" … "NW"; -45 gives "NW", 22.5 "NE", 337.5 "N".
[[nodiscard]] QString compassPoint(double degrees);

// Compact hour of an instant text: "2025-06-01T00:00" gives "12A", "…T13:00" "1P"; "—" when
// the hour cannot be read.
[[nodiscard]] QString hourLabel(const QString &instant);

// "TODAY" at position 0, else the abbreviated weekday in upper case ("MON") in the device's
// locale; "—" for a text that is not "yyyy-MM-dd".
[[nodiscard]] QString dayLabel(const QString &date, qsizetype position);

} // namespace weather_codes
