// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace text {

// The shortest decimal text that reads back as the same double ("40", "-74.0059", "0.1").
// Never uses a locale's decimal comma.
[[nodiscard]] QString shortestDecimal(double value);

// printf-style formatting in the C locale, whatever locale the process runs in:
// cformat("%.2f|%.2f|%d", 40.5, -3.25, 1) is always "40.50|-3.25|1".
[[nodiscard]] QString cformat(const char *format, ...) __attribute__((format(printf, 1, 2)));

// An integer spelled out in US English words ("forty-two"); the plain digits when the
// speller gives nothing.
[[nodiscard]] QString spellOut(qint64 value);
// A decimal number spelled out by the same speller ("twelve point five", "minus three point
// five"); the shortest decimal text when the speller gives nothing.
[[nodiscard]] QString spellOutDecimal(double value);

} // namespace text
