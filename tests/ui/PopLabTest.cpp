// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PopLabModel.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(PopLab, ChanceAndVerdictForEachEdge)
{
    const QString everywhere =
        QStringLiteral("Confident, and it's covering everything. This is a day you plan around.");
    const QString patchy = QStringLiteral(
        "Something will fire — I'm sure of that. But it'll be patchy: a few places get hit hard and most stay dry.");
    const QString unlikely = QStringLiteral("Probably nothing at all. But if it does go, it goes everywhere at once.");
    const QString quiet = QStringLiteral("Low confidence and patchy coverage. Genuinely quiet, most likely.");
    const QString summer = QStringLiteral("The classic summer afternoon: real storms, unknown addresses.");
    // Confidence, coverage, and the chance and verdict shown.
    const std::tuple<double, double, const char *, QString> cases[] = {
        { 70, 70, "49%", everywhere },
        { 65, 55, "36%", patchy }, // 35.75 rounds up
        { 70, 75, "53%", everywhere }, // rule 1 before rule 2's coverage test
        { 55, 65, "36%", unlikely },
        { 35, 35, "12%", quiet }, // 12.25 rounds down
        { 40, 35, "14%", summer }, // 40 is not low confidence
        { 35, 40, "14%", summer },
        { 50, 80, "40%", unlikely }, // Day A
        { 80, 50, "40%", patchy }, // Day B
        { 50, 45, "23%", summer }, // 22.5, a half, rounds away from zero
        { 0, 100, "0%", unlikely },
        { 100, 0, "0%", patchy },
        { 0, 0, "0%", quiet },
    };
    PopLabModel lab;
    for (const auto &[confidence, coverage, chance, verdict] : cases) {
        SCOPED_TRACE(testing::Message() << confidence << " × " << coverage);
        lab.setConfidence(confidence);
        lab.setCoverage(coverage);
        EXPECT_EQ(lab.chanceText().toStdString(), chance);
        EXPECT_EQ(lab.verdict().toStdString(), verdict.toStdString());
    }
}
