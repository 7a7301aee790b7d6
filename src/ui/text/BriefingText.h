// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// What the briefing card and its Ask panel decide, as plain functions of the model's values.
namespace briefing_text {

// The line under the briefing text while Merrin is still at work.
enum class StatusLine {
    None,
    Expanding, // "Merrin is expanding on this", the local text on screen while the AI writes
    StayTuned, // "Stay tuned for my updated forecast briefing", an older briefing being rewritten
};

// The expanding line while the first AI briefing is written, else the stay-tuned line while a
// briefing is rewritten, else none.
[[nodiscard]] StatusLine statusLine(bool briefingLoading, bool hasAiBriefing, bool briefingRewriting);

// The dots after a status line at a moment: 0 to 3, one more every 0.45 seconds counted from a
// fixed reference instant, so every line on screen agrees.
[[nodiscard]] int statusDots(qint64 msecsSinceEpoch);
// Milliseconds from that moment until the count next changes (1 to 450).
[[nodiscard]] int msecsToNextDot(qint64 msecsSinceEpoch);

// The fallback placeholder; shown, never sent.
inline constexpr auto kBuiltInPlaceholder = u"Do I need a jacket tonight?";

// "Ask a follow-up…" once the conversation has an exchange; before that the suggested question,
// or "Do I need a jacket tonight?" when there is none.
[[nodiscard]] QString askPlaceholder(bool hasExchange, const QString &suggestedQuestion);

// What a send asks: the typed text trimmed of spaces; when that is empty, the suggested question
// on a fresh conversation; otherwise nothing.
[[nodiscard]] std::optional<QString> questionToSend(
    const QString &typed, bool hasExchange, const QString &suggestedQuestion);

// A field's text with a line break in it is sent at once: every "\n" becomes a space and the
// result is trimmed of spaces. Nothing for text without a line break.
[[nodiscard]] std::optional<QString> flattenedLineBreaks(const QString &typed);

} // namespace briefing_text
