// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace text {

// Number of user-perceived characters (extended grapheme clusters).
[[nodiscard]] qsizetype graphemeCount(const QString &s);

// The first n user-perceived characters of s (all of s when it has fewer).
[[nodiscard]] QString graphemePrefix(const QString &s, qsizetype n);

} // namespace text
