// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The probability lab of Weather School: a chance of precipitation is the confidence that rain
// happens somewhere in the area times the share of the area that gets wet if it does.
namespace pop_lab {

// The chance in percent for a confidence and a coverage, both in percent: C × A / 100, rounded to
// the nearest whole number, halves away from zero (65 × 55 → 36).
[[nodiscard]] int chance(double confidence, double coverage);

// What Merrin makes of the pair, the first rule that holds: confident and everywhere, sure but
// patchy, unlikely but everywhere, quiet, or the classic summer afternoon.
[[nodiscard]] QString verdict(double confidence, double coverage);

} // namespace pop_lab
