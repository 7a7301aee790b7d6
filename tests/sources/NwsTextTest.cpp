// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/BriefingSections.h"
#include "sources/NwsBulletins.h"

#include "FakeServer.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using nws::trimDiscussion;
using nws::trimOutlook;
using namespace briefing_sections;

TEST(NwsBulletins, DiscussionDropsSectionsNamedByTheirFirstDotLine)
{
    const QString afd = QStringLiteral("FXUS61 KOKX 011200\n\n"
                                       ".SYNOPSIS...\nHigh pressure builds in.\n\n&&\n\n"
                                       ".NEAR TERM /THROUGH TONIGHT/...\nClear and cool.\n\n&&\n\n"
                                       ".AVIATION /12Z TAFS/...\nVFR.\n\n&&\n\n"
                                       "  .MARINE...\nSeas 2 to 4 ft.\n\n&&\n\n"
                                       ".aviation...\nlower case header\n\n&&\n\n"
                                       "Prose first.\n.CLIMATE...\nRecords.\n\n&&\n\n"
                                       ".KEY MESSAGES...\n- Rain Thursday.\n.AVIATION... below the first header\n"
                                       "\n$$\n\nForecaster\n");
    EXPECT_EQ(trimDiscussion(afd, 7000),
        QStringLiteral("FXUS61 KOKX 011200\n\n"
                       ".SYNOPSIS...\nHigh pressure builds in.\n\n&&\n\n"
                       ".NEAR TERM /THROUGH TONIGHT/...\nClear and cool.\n\n&&\n\n"
                       ".KEY MESSAGES...\n- Rain Thursday.\n.AVIATION... below the first header\n"));
}

TEST(NwsBulletins, RealBulletins)
{
    const QString afd = trimDiscussion(
        QJsonDocument::fromJson(testData(QStringLiteral("nws_product_AFD_SLC_2026-04-15_key_messages.json")))
            .object()[QStringLiteral("productText")]
            .toString(),
        7000);
    EXPECT_TRUE(afd.contains(QStringLiteral(".KEY MESSAGES...\n\n- Freezing conditions")));
    EXPECT_FALSE(afd.contains(QStringLiteral(".AVIATION...KSLC")));
    EXPECT_TRUE(afd.endsWith(QStringLiteral("WY...None.\n&&\n"))) << "cut just before the end marker";
    const QString spanish =
        trimOutlook(QString::fromUtf8(testData(QStringLiteral("nws_text_HWO_SJU_2016_spanish.txt"))), 4000);
    EXPECT_TRUE(spanish.contains(QStringLiteral(".DIA UNO...HOY Y ESTA NOCHE")));
    EXPECT_FALSE(spanish.contains(QStringLiteral("\n$$\n")) || spanish.endsWith(QLatin1Char('\n')));
}

TEST(NwsBulletins, LimitsAndEndMarkers)
{
    const QString nineThousand = QStringLiteral("abcdefghi\n").repeated(900);
    EXPECT_EQ(trimDiscussion(nineThousand, 7000), nineThousand.left(7000) + QStringLiteral("\n[discussion truncated]"));
    const QString seven = QStringLiteral("x").repeated(7000);
    EXPECT_EQ(trimDiscussion(seven, 7000), seven);
    // Characters as the user sees them: e + combining acute is one.
    const QString combined = QStringLiteral("e\u0301").repeated(7000);
    EXPECT_EQ(trimDiscussion(combined, 7000), combined);

    EXPECT_EQ(trimOutlook(QStringLiteral("\n000\nFLUS43\nZone A\n$$\nZone B\n  $$\t\n$$ text stays\nEnd\n$$\n"), 4000),
        QStringLiteral("000\nFLUS43\nZone A\nZone B\n$$ text stays\nEnd"));
    EXPECT_EQ(trimOutlook(QStringLiteral("y").repeated(4001), 4000),
        QStringLiteral("y").repeated(4000) + QStringLiteral("\n[outlook truncated]"));
}

TEST(BriefingSections, AlertLines)
{
    NwsAlert full;
    full.event = QStringLiteral("Flood Watch");
    full.severity = QStringLiteral("Severe");
    full.onset = QStringLiteral("2019-12-19T16:00:00-08:00");
    full.ends = QStringLiteral("2019-12-20T16:00:00-08:00");
    full.headline = QStringLiteral("Flood Watch issued December 19");
    full.description = QStringLiteral("\n* WHAT...Flooding.\n\n* WHERE...Portions\tof\r\nOregon.  ");
    NwsAlert bare;
    bare.event = QStringLiteral("Air Quality Alert");
    bare.severity = QStringLiteral("Unknown");
    NwsAlert untilOnly = bare;
    untilOnly.ends = QStringLiteral("2024-07-19T21:00:00-07:00");
    untilOnly.description = QStringLiteral("é").repeated(599) + QStringLiteral("\n\n  ") + QStringLiteral("z");
    EXPECT_EQ(alertsSection({ full, bare, untilOnly }),
        QStringLiteral("Active NWS alerts:\n"
                       "- Flood Watch (severity: Severe), from 2019-12-19T16:00:00-08:00 until "
                       "2019-12-20T16:00:00-08:00. Flood Watch issued December 19 * WHAT...Flooding. * "
                       "WHERE...Portions of Oregon.\n"
                       "- Air Quality Alert (severity: Unknown).\n"
                       "- Air Quality Alert (severity: Unknown) until 2024-07-19T21:00:00-07:00.  ")
            + QStringLiteral("é").repeated(599)); // the description keeps its first 600 characters
}

TEST(BriefingSections, DiscussionSection)
{
    const NwsTextProduct p { QStringLiteral("OKX"), QStringLiteral("2026-04-15T04:38:00+00:00"),
        QStringLiteral("Body") };
    EXPECT_EQ(areaForecastDiscussionSection(p),
        QStringLiteral("NWS Area Forecast Discussion (office OKX, issued 2026-04-15T04:38:00+00:00) — the local "
                       "forecasters' own reasoning about this forecast:\nBody"));
}
