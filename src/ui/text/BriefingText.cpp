// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text/BriefingText.h"

#include "text/Trim.h"

namespace briefing_text {

namespace {
constexpr qint64 kDotMsecs = 450;
}

StatusLine statusLine(bool briefingLoading, bool hasAiBriefing, bool briefingRewriting)
{
    if (briefingLoading && !hasAiBriefing) {
        return StatusLine::Expanding;
    }
    return briefingRewriting ? StatusLine::StayTuned : StatusLine::None;
}

int statusDots(qint64 msecsSinceEpoch)
{
    // Floor division, so instants before the reference count on the same beat.
    qint64 ticks = msecsSinceEpoch / kDotMsecs;
    if (msecsSinceEpoch % kDotMsecs < 0) {
        --ticks;
    }
    return static_cast<int>(((ticks % 4) + 4) % 4);
}

int msecsToNextDot(qint64 msecsSinceEpoch)
{
    const qint64 into = ((msecsSinceEpoch % kDotMsecs) + kDotMsecs) % kDotMsecs;
    return static_cast<int>(kDotMsecs - into);
}

QString askPlaceholder(bool hasExchange, const QString &suggestedQuestion)
{
    if (hasExchange) {
        return QStringLiteral("Ask a follow-up…");
    }
    return suggestedQuestion.isEmpty() ? QString::fromUtf16(kBuiltInPlaceholder) : suggestedQuestion;
}

std::optional<QString> questionToSend(const QString &typed, bool hasExchange, const QString &suggestedQuestion)
{
    const QString question = text::trimmedWhitespace(typed);
    if (!question.isEmpty()) {
        return question;
    }
    if (!hasExchange && !text::trimmedWhitespace(suggestedQuestion).isEmpty()) {
        return suggestedQuestion;
    }
    return std::nullopt;
}

std::optional<QString> flattenedLineBreaks(const QString &typed)
{
    if (!typed.contains(u'\n')) {
        return std::nullopt;
    }
    QString flat = typed;
    flat.replace(u'\n', u' ');
    return text::trimmedWhitespace(flat);
}

} // namespace briefing_text
