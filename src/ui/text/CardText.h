// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The numbers and short texts of the forecast cards, as plain functions of raw values.
namespace card_text {

// A rounded whole number ("12"), halves away from zero; never "-0".
[[nodiscard]] QString wholeNumber(double value);

// A precipitation chance: the truncated whole number and "%" when greater than 10 (10.5 → "10%"),
// otherwise a single blank so that rows stay aligned (10 → " ").
[[nodiscard]] QString chance(double percent);

// "16° · Sticky": the dew point and its comfort word, judged in Fahrenheit whatever the unit
// ("°F" or "°C") the forecast uses.
[[nodiscard]] QString dewPoint(double value, const QString &temperatureUnit);

// "12 mph SW": rounded speed, the unit and the compass point the wind blows from.
[[nodiscard]] QString wind(double speed, const QString &unit, double direction);

// "24%".
[[nodiscard]] QString humidity(double percent);

// "11".
[[nodiscard]] QString uvIndex(double index);

// An alert's onset or end ("Fri 10:00 AM") in the place's zone, or in the computer's zone when
// the name is not a known zone; empty when the alert gives no time or one that is not ISO 8601.
[[nodiscard]] QString alertTime(const std::optional<QString> &iso, const QString &timezone);

// An alert's text as issued, wrapped at a fixed width, rewrapped for the banner: a single line
// break becomes a space, a blank line stays a paragraph break, and the ends are trimmed.
[[nodiscard]] QString unwrapped(const QString &issued);

// Whether an alert of this severity is drawn in the strong style ("Extreme" and "Severe").
[[nodiscard]] bool strongAlert(const QString &severity);

// Captions of the cards: "NWS ALERT", "7 DAY FORECAST", and the expanded alert's "BEGINS" and
// "ENDS".
[[nodiscard]] QString alertCaption();
[[nodiscard]] QString outlookTitle();
[[nodiscard]] QString onsetCaption();
[[nodiscard]] QString endsCaption();

// The ends of the nowcast's minute strip.
[[nodiscard]] QString nowcastStartLabel();
[[nodiscard]] QString nowcastEndLabel();

} // namespace card_text
