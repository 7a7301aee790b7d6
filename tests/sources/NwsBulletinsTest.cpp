// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/NwsBulletins.h"

#include "FakeServer.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using nws::trimDiscussion;
using nws::trimOutlook;

TEST(NwsBulletins, DiscussionDropsSectionsNamedByTheirFirstDotLine)
{
    const QString afd = QStringLiteral("FXUS61 KOKX 011200\n\n"
                                       ".SYNOPSIS...\nHigh pressure builds in.\n\n&&\n\n"
                                       ".NEAR TERM /THROUGH TONIGHT/...\nClear and cool.\n\n&&\n\n"
                                       ".AVIATION /12Z TAFS/...\nVFR.\n\n&&\n\n"
                                       "  .MARINE...\nSeas 2 to 4 ft.\n\n&&\n\n"
                                       ".aviation...\nlower case header\n\n&&\n\n"
                                       "No header here at all.\n\n&&\n\n"
                                       "Prose first.\n.CLIMATE...\nRecords.\n\n&&\n\n"
                                       ".SPACE WEATHER...\nQuiet.\n\n&&\n\n"
                                       ".KEY MESSAGES...\n- Rain Thursday.\n.AVIATION... below the first header\n"
                                       "\n$$\n\nForecaster\n");
    EXPECT_EQ(trimDiscussion(afd, 7000),
        QStringLiteral("FXUS61 KOKX 011200\n\n"
                       ".SYNOPSIS...\nHigh pressure builds in.\n\n&&\n\n"
                       ".NEAR TERM /THROUGH TONIGHT/...\nClear and cool.\n\n&&\n\n"
                       "No header here at all.\n\n&&\n\n"
                       ".KEY MESSAGES...\n- Rain Thursday.\n.AVIATION... below the first header\n"));
}

TEST(NwsBulletins, DiscussionInTheNewerLayout)
{
    const QJsonObject reply =
        QJsonDocument::fromJson(testData(QStringLiteral("nws_product_AFD_SLC_2026-04-15_key_messages.json"))).object();
    const QString text = trimDiscussion(reply[QStringLiteral("productText")].toString(), 7000);
    EXPECT_TRUE(text.startsWith(QStringLiteral("000\nFXUS65 KSLC 150438")));
    EXPECT_TRUE(text.contains(QStringLiteral(".KEY MESSAGES...\n\n- Freezing conditions")));
    EXPECT_TRUE(text.contains(QStringLiteral(".DISCUSSION...Late this evening")));
    EXPECT_FALSE(text.contains(QStringLiteral(".AVIATION...KSLC")));
    EXPECT_FALSE(text.contains(QStringLiteral(".REST OF UTAH")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("WY...None.\n&&\n"))) << "cut just before the end marker";
}

TEST(NwsBulletins, LimitsCountUserPerceivedCharacters)
{
    const QString nineThousand = QStringLiteral("abcdefghi\n").repeated(900);
    EXPECT_EQ(trimDiscussion(nineThousand, 7000), nineThousand.left(7000) + QStringLiteral("\n[discussion truncated]"));
    const QString seven = QStringLiteral("x").repeated(7000);
    EXPECT_EQ(trimDiscussion(seven, 7000), seven);

    // "é" written as e + combining acute is one character in two code units; a flag is one
    // character in four.
    const QString combined = QStringLiteral("e\u0301").repeated(7000);
    EXPECT_EQ(trimDiscussion(combined, 7000), combined);
    const QString flags = QString::fromUtf8("🇺🇸").repeated(4001);
    EXPECT_EQ(
        trimOutlook(flags, 4000), QString::fromUtf8("🇺🇸").repeated(4000) + QStringLiteral("\n[outlook truncated]"));
    EXPECT_EQ(trimOutlook(flags.left(16000), 4000), flags.left(16000));
}

TEST(NwsBulletins, OutlookDropsOnlyBareEndMarkers)
{
    EXPECT_EQ(trimOutlook(QStringLiteral("\n000\nFLUS43\nZone A\n$$\nZone B\n  $$\t\n$$ text stays\nEnd\n$$\n"), 4000),
        QStringLiteral("000\nFLUS43\nZone A\nZone B\n$$ text stays\nEnd"));

    const QString spanish =
        trimOutlook(QString::fromUtf8(testData(QStringLiteral("nws_text_HWO_SJU_2016_spanish.txt"))), 4000);
    EXPECT_FALSE(spanish.contains(QStringLiteral("\n$$\n")));
    EXPECT_TRUE(spanish.contains(QStringLiteral(".DIA UNO...HOY Y ESTA NOCHE")));
    EXPECT_FALSE(spanish.endsWith(QStringLiteral("\n")));
}
