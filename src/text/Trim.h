// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The three trims the application uses. They differ in which characters count as blank:
// - whitespaceAndNewlines: every Unicode white-space character, line breaks included
//   (space, tab, no-break spaces, U+2028/U+2029, CR, LF, NEL, ...);
// - whitespace: Unicode space separators and the tab, but no line breaks;
// - spacesAndTabs: only U+0020 and U+0009.
namespace text {

[[nodiscard]] QString trimmedWhitespaceAndNewlines(const QString &s);
[[nodiscard]] QString trimmedWhitespace(const QString &s);
[[nodiscard]] QString trimmedSpacesAndTabs(const QString &s);

[[nodiscard]] bool isWhitespaceOrNewline(char32_t c);
[[nodiscard]] bool isWhitespace(char32_t c);

// Collapses every run of white space (line breaks included) to a single space and trims the ends.
[[nodiscard]] QString collapsedWhitespace(const QString &s);

} // namespace text
