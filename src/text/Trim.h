// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

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
// The same, with control characters (NUL, escape, bell, ...) dropped as well: what a text from a
// server becomes before it reaches a message, a label or a console line.
[[nodiscard]] QString singleLine(const QString &s);

// Why an API key (already trimmed) cannot be used, or nothing when it can: a key with white space
// or control characters inside would break the request header it is sent in.
[[nodiscard]] std::optional<QString> apiKeyProblem(const QString &key);

} // namespace text
