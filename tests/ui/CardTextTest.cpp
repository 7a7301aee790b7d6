// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text/CardText.h"
#include "ui/text/CardRows.h"

#include <gtest/gtest.h>

using namespace card_text;

TEST(CardText, ChanceShowsTheTruncatedPercentAboveTenElseABlank)
{
    for (const auto &[percent, shown] :
        { std::pair { 0.0, " " }, { 10.0, " " }, { 10.5, "10%" }, { 11.0, "11%" }, { 99.9, "99%" }, { -5.0, " " } }) {
        EXPECT_EQ(chance(percent), QString::fromUtf8(shown)) << percent;
    }
}

TEST(CardText, StatValues)
{
    const std::pair<QString, const char *> cases[] = {
        { dewPoint(16, QStringLiteral("°C")), "16° · Sticky" }, // 60.8 °F
        { dewPoint(16, QStringLiteral("°F")), "16° · Dry" },
        { dewPoint(74.6, QStringLiteral("°F")), "75° · Oppressive" }, // judged before rounding
        { wind(11.6, QStringLiteral("mph"), 225), "12 mph SW" },
        { wind(0.2, QStringLiteral("km/h"), 359), "0 km/h N" },
        { humidity(23.5), "24%" },
        { uvIndex(10.49), "10" },
        { wholeNumber(-0.4), "0" },
    };
    for (const auto &[shown, expected] : cases) {
        EXPECT_EQ(shown, QString::fromUtf8(expected));
    }
}

TEST(CardText, AlertTimesInThePlacesZoneOrTheComputers)
{
    qputenv("TZ", "Asia/Tokyo");
    const std::optional<QString> onset = QStringLiteral("2024-07-19T10:00:00-07:00");
    EXPECT_EQ(alertTime(onset, QStringLiteral("America/Phoenix")), QStringLiteral("Fri 10:00 AM"));
    EXPECT_EQ(alertTime(onset, QStringLiteral("America/New_York")), QStringLiteral("Fri 1:00 PM"));
    EXPECT_EQ(alertTime(onset, QStringLiteral("Not/AZone")), QStringLiteral("Sat 2:00 AM"));
    EXPECT_EQ(alertTime(std::nullopt, QStringLiteral("America/Phoenix")), QString());
    EXPECT_EQ(alertTime(QStringLiteral("tomorrow"), QStringLiteral("America/Phoenix")), QString());
    qunsetenv("TZ");
}

TEST(CardText, AlertTextIsRewrappedKeepingParagraphs)
{
    EXPECT_EQ(unwrapped(QStringLiteral("* WHAT...Hot. Highs 112 to\n116 expected.\n \n* WHERE...Phoenix.\n")),
        QStringLiteral("* WHAT...Hot. Highs 112 to 116 expected.\n\n* WHERE...Phoenix."));
    EXPECT_EQ(unwrapped(QString()), QString());
}

TEST(CardText, OnlyExtremeAndSevereAlertsAreStrong)
{
    for (const auto &[severity, strong] : { std::pair { "Extreme", true }, { "Severe", true }, { "Moderate", false },
             { "Minor", false }, { "Unknown", false }, { "severe", false }, { "", false } }) {
        EXPECT_EQ(strongAlert(QString::fromLatin1(severity)), strong) << severity;
    }
}

TEST(CardRows, HourlyAndDailyRowsCarryTheirLabels)
{
    Forecast f;
    HourlyWeather hour;
    hour.time = QStringLiteral("2025-06-02T15:00");
    hour.temperature = 71.5;
    hour.weatherCode = 95;
    hour.precipitationProbability = 10;
    f.hourly = { hour };
    DailyWeather today;
    today.date = QStringLiteral("2025-06-01");
    today.tempMin = 58.2;
    today.tempMax = 74.5;
    today.precipitationProbabilityMax = 10.5;
    DailyWeather monday = today;
    monday.date = QStringLiteral("2025-06-02");
    monday.tempMin = 66.2;
    f.daily = { today, monday };

    const QList<HourCell> cells = card_rows::hourCells(f);
    ASSERT_EQ(cells.size(), 1);
    EXPECT_EQ(cells[0].hour + u' ' + cells[0].temperature + u'|' + cells[0].chance + u'|', QStringLiteral("3P 72°| |"));
    EXPECT_EQ(cells[0].code, 95);

    const QList<DayRow> days = card_rows::dayRows(f);
    ASSERT_EQ(days.size(), 2);
    EXPECT_EQ(days[0].day, QStringLiteral("TODAY"));
    EXPECT_EQ(days[1].day + u' ' + days[1].chance + u' ' + days[1].low + u' ' + days[1].high,
        QStringLiteral("MON 10% 66° 75°"));
    // Each day's range within the week's, from 58.2 to 74.5.
    EXPECT_EQ(days[0].rangeStart, 0);
    EXPECT_NEAR(days[1].rangeStart, 8.0 / 16.3, 1e-9);
    EXPECT_EQ(days[1].rangeEnd, 1);
}

TEST(CardRows, NowcastBarsRiseWithIntensityAndShowEveryWetMinute)
{
    NextHourNowcast nowcast;
    nowcast.minutes = { { {}, 0.1, 0 }, { {}, 0.3, 0 }, { {}, 0.8, 4 }, { {}, 1.2, 20 } };
    const QList<MinuteBar> bars = card_rows::minuteBars(nowcast);
    ASSERT_EQ(bars.size(), 4);
    EXPECT_EQ(bars[0].level, 0);
    EXPECT_GT(bars[1].level, 0); // wet but without a measured intensity
    EXPECT_EQ(bars[2].level, 0.5);
    EXPECT_EQ(bars[3].level, 1);
    EXPECT_EQ(bars[3].strength, 1);
}

TEST(CardRows, CreditsFollowWhatIsShown)
{
    const auto texts = [](const card_rows::CreditInputs &in) {
        QStringList out;
        for (const Credit &c : card_rows::credits(in)) {
            out.append(c.url);
        }
        return out.join(u' ');
    };
    const QString us = QStringLiteral("United States");
    EXPECT_EQ(texts({ false, false, us }), QStringLiteral("https://open-meteo.com/"));
    EXPECT_EQ(texts({ true, false, QStringLiteral("Italy") }),
        QStringLiteral("https://open-meteo.com/ https://www.weather.gov/"));
    EXPECT_EQ(texts({ false, true, QStringLiteral("Italy") }), QStringLiteral("https://open-meteo.com/"));
    EXPECT_EQ(texts({ false, true, us }),
        QStringLiteral("https://open-meteo.com/ https://www.weather.gov/ https://www.spc.noaa.gov/"));
    EXPECT_EQ(card_rows::credits({}).first().accessibleName,
        QStringLiteral("Weather data by Open-Meteo. Opens Open-Meteo's website."));
}
