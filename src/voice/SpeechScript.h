// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The spoken script: the briefing rewritten so that a voice reads numbers, units, clock times,
// ranges and decades the way a presenter says them, between an on-air greeting and a sign-off.
namespace voice {

// Called with the captures of one match (index 0 the whole match, then each group; a group that
// took no part is empty). Returns the replacement, or nothing to leave the match as it was.
using MatchTransform = std::function<std::optional<QString>(const QStringList &captures)>;

// Rewrites every match of pattern (left to right, non-overlapping) with what transform returns.
// A pattern that does not compile leaves the text unchanged.
[[nodiscard]] QString replaceMatches(
    const QString &pattern, const QString &text, bool caseInsensitive, const MatchTransform &transform);

// The briefing text as it should be spoken ("72°F" reads "seventy-two degrees").
[[nodiscard]] QString normalizeForSpeech(const QString &text);

// "Good evening, I'm Merrin Vale. Here's your Tuesday forecast for Springfield." then the
// normalised briefing, then the sign-off when outro is set. Only the briefing is rewritten.
[[nodiscard]] QString buildScript(
    const QString &text, const QString &place, const QString &weekday, int hour, bool outro);

} // namespace voice
