// SPDX-License-Identifier: GPL-3.0-or-later
// The briefing card's decisions: which status line shows, its dots, the Ask field's placeholder
// and what a send asks.
#include "ui/text/BriefingText.h"

#include <gtest/gtest.h>

using namespace briefing_text;

TEST(BriefingText, TheStatusLineFollowsTheModel)
{
    for (const auto &[loading, hasAi, rewriting, expected] : {
             std::tuple { true, false, false, StatusLine::Expanding }, // the local text while the AI writes
             { true, false, true, StatusLine::Expanding },
             { true, true, false, StatusLine::None },
             { false, true, true, StatusLine::StayTuned }, // a rewrite after a change of place
             { true, true, true, StatusLine::StayTuned },
             { false, false, false, StatusLine::None },
         }) {
        EXPECT_EQ(statusLine(loading, hasAi, rewriting), expected) << loading << hasAi << rewriting;
    }
}

TEST(BriefingText, DotsCountEveryFortyFiveHundredthsOfASecond)
{
    const qint64 base = 978307200000; // a whole number of beats, and of four beats
    for (const auto &[offset, dots, untilNext] : { std::tuple<qint64, int, int> { 0, 0, 450 }, { 449, 0, 1 },
             { 450, 1, 450 }, { 1349, 2, 1 }, { 1350, 3, 450 }, { 1800, 0, 450 }, { -1, 3, 1 } }) {
        SCOPED_TRACE(offset);
        EXPECT_EQ(statusDots(base + offset), dots);
        EXPECT_EQ(msecsToNextDot(base + offset), untilNext);
    }
}

TEST(BriefingText, ThePlaceholderOffersTheSuggestionUntilTheFirstExchange)
{
    EXPECT_EQ(askPlaceholder(false, QStringLiteral("Will it storm?")), QStringLiteral("Will it storm?"));
    EXPECT_EQ(askPlaceholder(false, QString()), QStringLiteral("Do I need a jacket tonight?"));
    EXPECT_EQ(askPlaceholder(true, QStringLiteral("Will it storm?")), QStringLiteral("Ask a follow-up…"));
}

TEST(BriefingText, ASendAsksTheTypedTextElseTheSuggestionOnAFreshConversation)
{
    for (const auto &[typed, hasExchange, suggested, expected] : {
             std::tuple<const char *, bool, const char *, std::optional<QString>> {
                 "  Rain at 6?\t", false, "Will it storm?", QStringLiteral("Rain at 6?") },
             { "Rain at 6?", true, "", QStringLiteral("Rain at 6?") },
             { "   ", false, "Will it storm?", QStringLiteral("Will it storm?") },
             { "", true, "Will it storm?", std::nullopt },
             { "", false, "", std::nullopt }, // the built-in placeholder is never sent
         }) {
        EXPECT_EQ(questionToSend(QString::fromUtf8(typed), hasExchange, QString::fromUtf8(suggested)), expected)
            << typed;
    }
}

TEST(BriefingText, ALineBreakFlattensTheText)
{
    EXPECT_EQ(flattenedLineBreaks(QStringLiteral("Rain\nat 6?\n")), QStringLiteral("Rain at 6?"));
    EXPECT_EQ(flattenedLineBreaks(QStringLiteral("\n")), QString());
    EXPECT_EQ(flattenedLineBreaks(QStringLiteral("Rain at 6? ")), std::nullopt);
}
