// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/BriefingSections.h"

#include <gtest/gtest.h>

using namespace briefing_sections;

TEST(BriefingSections, AlertLines)
{
    NwsAlert full;
    full.event = QStringLiteral("Flood Watch");
    full.severity = QStringLiteral("Severe");
    full.onset = QStringLiteral("2019-12-19T16:00:00-08:00");
    full.ends = QStringLiteral("2019-12-20T16:00:00-08:00");
    full.headline = QStringLiteral("Flood Watch issued December 19");
    full.description = QStringLiteral("\n* WHAT...Flooding caused by rain.\n\n* WHERE...Portions\tof\r\nOregon.  ");

    NwsAlert bare;
    bare.event = QStringLiteral("Air Quality Alert");
    bare.severity = QStringLiteral("Unknown");

    NwsAlert untilOnly = bare;
    untilOnly.ends = QStringLiteral("2024-07-19T21:00:00-07:00");
    untilOnly.description = QStringLiteral("Ozone.");

    EXPECT_EQ(alertsSection({ full, bare, untilOnly }),
        QStringLiteral(
            "Active NWS alerts:\n"
            "- Flood Watch (severity: Severe), from 2019-12-19T16:00:00-08:00 until 2019-12-20T16:00:00-08:00. "
            "Flood Watch issued December 19 * WHAT...Flooding caused by rain. * WHERE...Portions of Oregon.\n"
            "- Air Quality Alert (severity: Unknown).\n"
            "- Air Quality Alert (severity: Unknown) until 2024-07-19T21:00:00-07:00.  Ozone."));
}

TEST(BriefingSections, DescriptionKeepsItsFirst600Characters)
{
    NwsAlert a;
    a.event = QStringLiteral("Heat Advisory");
    a.severity = QStringLiteral("Moderate");
    a.headline = QStringLiteral("H");
    a.description = QStringLiteral("é").repeated(599) + QStringLiteral("\n\n  ") + QStringLiteral("z").repeated(50);
    EXPECT_EQ(
        alertLine(a), QStringLiteral("- Heat Advisory (severity: Moderate). H ") + QStringLiteral("é").repeated(599));
}

TEST(BriefingSections, BulletinSections)
{
    const NwsTextProduct p { QStringLiteral("OKX"), QStringLiteral("2026-04-15T04:38:00+00:00"),
        QStringLiteral("Body") };
    EXPECT_EQ(hazardousWeatherOutlookSection(p),
        QStringLiteral("NWS Hazardous Weather Outlook (office OKX, issued 2026-04-15T04:38:00+00:00) — plain-language "
                       "hazards to watch over the next 7 days:\nBody"));
    EXPECT_EQ(areaForecastDiscussionSection(p),
        QStringLiteral("NWS Area Forecast Discussion (office OKX, issued 2026-04-15T04:38:00+00:00) — the local "
                       "forecasters' own reasoning about this forecast:\nBody"));
    EXPECT_EQ(outlookSection({}).count(QStringLiteral("no thunderstorm outlook area")), 3);
}
