// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Graphemes.h"
#include "text/NumberText.h"
#include "text/Trim.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using namespace text;

TEST(Trim, EachTrimKnowsItsOwnBlanks)
{
    const QString nbsp = QString(QChar(0x00A0));
    const QString input =
        QStringLiteral("\n\t ") + nbsp + QStringLiteral("Rain later") + nbsp + QStringLiteral(" \t\r\n");

    EXPECT_EQ(trimmedWhitespaceAndNewlines(input), QStringLiteral("Rain later"));
    // Line breaks stay with the white-space trim; the no-break space is white space.
    EXPECT_EQ(trimmedWhitespace(QStringLiteral(" \t") + nbsp + QStringLiteral("a b ") + nbsp), QStringLiteral("a b"));
    EXPECT_EQ(trimmedWhitespace(QStringLiteral("\nkey\n")), QStringLiteral("\nkey\n"));
    // Spaces and tabs only: the no-break space and line breaks survive.
    EXPECT_EQ(trimmedSpacesAndTabs(QStringLiteral("\t  ") + nbsp + QStringLiteral("x \t")), nbsp + QStringLiteral("x"));
    EXPECT_EQ(trimmedSpacesAndTabs(QStringLiteral(" \nx\n ")), QStringLiteral("\nx\n"));

    EXPECT_EQ(trimmedWhitespaceAndNewlines(QStringLiteral(" \n\u2028 ")), QString());
    EXPECT_EQ(trimmedWhitespaceAndNewlines(QString()), QString());
}

TEST(Trim, CollapsesWhiteSpaceRuns)
{
    EXPECT_EQ(collapsedWhitespace(QStringLiteral("  Heat\n\n  Advisory\t until\r\n 8 PM  ")),
        QStringLiteral("Heat Advisory until 8 PM"));
    EXPECT_EQ(collapsedWhitespace(QStringLiteral(" \n ")), QString());
}

TEST(Graphemes, CountsUserPerceivedCharacters)
{
    // e + combining acute, a flag (two regional indicators), a family emoji with joiners.
    const QString accented = QStringLiteral("e\u0301");
    const QString flag = QStringLiteral("\U0001F1FA\U0001F1F8");
    const QString family = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467");
    const QString s = accented + flag + family + QStringLiteral("ab");

    EXPECT_EQ(graphemeCount(s), 5);
    EXPECT_EQ(graphemePrefix(s, 1), accented);
    EXPECT_EQ(graphemePrefix(s, 3), accented + flag + family);
    EXPECT_EQ(graphemePrefix(s, 50), s);
    EXPECT_EQ(graphemePrefix(s, 0), QString());
    EXPECT_EQ(graphemePrefix(QStringLiteral("abcdef"), 4), QStringLiteral("abcd"));
}

TEST(NumberText, ShortestDecimalReadsBackExactly)
{
    const struct
    {
        double value;
        const char *text;
    } cases[] = {
        { 40.7128, "40.7128" },
        { -74.0059, "-74.0059" },
        { 40.0, "40" },
        { 0.1, "0.1" },
        { -0.0, "0" },
        { 49.5, "49.5" },
        { 1.0 / 3.0, "0.3333333333333333" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(shortestDecimal(c.value), QString::fromLatin1(c.text));
        EXPECT_EQ(shortestDecimal(c.value).toDouble(), c.value);
    }
}

TEST(NumberText, CFormatIgnoresTheProcessLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    // A locale with a decimal comma, where the machine has one.
    const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    EXPECT_EQ(cformat("%.2f|%.2f|%d|%d|%d", 40.7128, -74.006, 1, 0, 1), QStringLiteral("40.71|-74.01|1|0|1"));
    EXPECT_EQ(cformat("%.1f", 1234567.25), QStringLiteral("1234567.2"));
    // Longer than the small buffer.
    const QString longText = cformat("%0300d", 7);
    EXPECT_EQ(longText.size(), 300);
    EXPECT_TRUE(longText.endsWith(QLatin1Char('7')));
    std::setlocale(LC_ALL, previous.c_str());
    if (!german) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed; the formats above ran in the C locale only";
    }
}

TEST(NumberText, SpellsOutInEnglish)
{
    EXPECT_EQ(spellOut(42), QStringLiteral("forty-two"));
    EXPECT_EQ(spellOut(0), QStringLiteral("zero"));
    EXPECT_EQ(spellOut(-7), QStringLiteral("minus seven"));
    EXPECT_EQ(spellOut(2026), QStringLiteral("two thousand twenty-six"));
}
