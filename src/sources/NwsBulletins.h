// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Reductions of forecaster bulletins before the language model reads them. Lengths count
// user-perceived characters.
namespace nws {

inline constexpr qsizetype kDiscussionLimit = 7000;
inline constexpr qsizetype kOutlookLimit = 4000;

// An Area Forecast Discussion without its aviation, marine, point-temperature, climate,
// equipment and space-weather sections (a section is named by its first line that begins with
// "."), cut at the "$$" end marker, and capped at limit characters plus
// "\n[discussion truncated]".
[[nodiscard]] QString trimDiscussion(const QString &text, qsizetype limit);

// A Hazardous Weather Outlook without its "$$" lines, capped at limit characters plus
// "\n[outlook truncated]".
[[nodiscard]] QString trimOutlook(const QString &text, qsizetype limit);

} // namespace nws
