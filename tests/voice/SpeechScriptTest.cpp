// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/SpeechScript.h"

#include <gtest/gtest.h>

using voice::buildScript;
using voice::normalizeForSpeech;

TEST(SpeechScript, GreetsByTheHourAndJoinsThePieces)
{
    const struct
    {
        int hour;
        const char *greeting;
    } hours[] = { { 0, "Good morning" }, { 11, "Good morning" }, { 12, "Good afternoon" }, { 17, "Good afternoon" },
        { 18, "Good evening" } };
    for (const auto &h : hours) {
        SCOPED_TRACE(h.hour);
        EXPECT_TRUE(buildScript(QStringLiteral("Dry."), QStringLiteral("X"), QStringLiteral("Monday"), h.hour, false)
                        .startsWith(QString::fromUtf8(h.greeting) + QStringLiteral(", I'm Merrin Vale.")));
    }
    EXPECT_EQ(buildScript(QStringLiteral("  Highs  near 70°F.\n\nDry. "), QStringLiteral("Route 66"),
                  QStringLiteral("Tuesday"), 19, true),
        QStringLiteral("Good evening, I'm Merrin Vale. Here's your Tuesday forecast for Route 66. Highs near "
                       "seventy degrees. Dry. That's the latest — take care."));
    EXPECT_EQ(buildScript(QStringLiteral(" \n"), QStringLiteral("Springfield"), QStringLiteral("Friday"), 9, false),
        QStringLiteral("Good morning, I'm Merrin Vale. Here's your Friday forecast for Springfield."));
}

TEST(SpeechScript, ReadsNumbersUnitsTimesAndRanges)
{
    const struct
    {
        const char *written;
        const char *spoken;
    } cases[] = {
        { "Highs in the mid-70s, lows 55-60, winds 15 mph, 40% chance of rain after 3 PM.",
            "Highs in the mid-seventies, lows fifty-five to sixty, winds fifteen miles an hour, forty percent chance "
            "of rain after three p.m." },
        { "10-15 mph", "ten-fifteen miles an hour" },
        { "72°F", "seventy-two degrees" },
        { "-3 °C", "minus three degrees" },
        { "Gusts 30 km/h or 20 mi/h", "Gusts thirty kilometers an hour or twenty miles an hour" },
        { "the 100s and 75s", "the hundreds and 75s" },
        { "0.3 inches, 100 and 2.5", "0.3 inches, 100 and 2.5" },
        { "1.0 inches", "one inch" },
        { "1.25 inches", "one and a quarter inches" },
        { "0.5 in", "half an inch" },
        { "0.25 in or 0.75 inch", "a quarter of an inch or three quarters of an inch" },
        { "2 inches; 1 in", "two inches; one inch" },
        { "5 mm and 2 cm", "five millimeters and two centimeters" },
        { "10000000000000000000 mm", "10000000000000000000 mm" },
        { "at 7:05 pm, 7:30 AM, 10:00 a.m. and 11:45pm",
            "at seven oh five p.m., seven thirty a.m., ten a.m. and eleven forty-five p.m." },
        { "7pm or 13 pm", "seven p.m. or thirteen pm" },
        { "9–11 and 3 — 4", "nine to eleven and three to four" },
        { "**Rain** *later*, “heavy” at times — it’s wet", "Rain later, heavy at times — it's wet" },
        { "a\n\n b\t c", "a b c" },
        // A hyphen right after a digit is a range dash, not a minus sign.
        { "Highs 60-72°F", "Highs sixty-seventy-two degrees" },
        { "-5°", "minus five degrees" },
        // Decimals before a unit are read whole, never from their last digits.
        { "12.5%", "twelve point five percent" },
        { "-3.5 °C", "minus three point five degrees" },
        { "7.5 mph and 12.25 km/h", "seven point five miles an hour and twelve point two five kilometers an hour" },
        // Metric units are singular at exactly one; below one they read like inches.
        { "1 mm, 1 cm, 1.0 mm", "one millimeter, one centimeter, one millimeter" },
        { "0.5 mm, 0.25 cm", "half a millimeter, a quarter of a centimeter" },
        // "in" is a preposition before "the", "a", "an" or a capitalised word.
        { "after 2 in the afternoon", "after two in the afternoon" },
        { "3 in Boston, 4 in a row", "three in Boston, four in a row" },
        { "2 in, then", "two inches, then" },
        { "1 in of snow", "one inch of snow" },
        { "1 in and 2 in", "one inch and two inches" },
        { "1.5 in.", "one and a half inches." },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.written);
        EXPECT_EQ(normalizeForSpeech(QString::fromUtf8(c.written)).toStdString(), c.spoken);
    }
}
