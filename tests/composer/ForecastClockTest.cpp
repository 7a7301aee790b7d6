// SPDX-License-Identifier: GPL-3.0-or-later
// The clock, the units and the phrase tables the composer's sentences are built from.
#include "ComposerFixtures.h"

#include "composer/BriefingUnits.h"
#include "composer/ForecastClock.h"

using namespace composer;

namespace {

QDateTime at(const ForecastClock &clock, const char *text)
{
    return clock.date(QString::fromLatin1(text)).value_or(QDateTime());
}

} // namespace

TEST(ForecastClock, ReadsWallClockTextsInThePlacesZone)
{
    const ForecastClock auckland(QStringLiteral("Pacific/Auckland"));
    const QDateTime t = at(auckland, "2026-01-10T07:30");
    EXPECT_EQ(t.toUTC(), QDateTime(QDate(2026, 1, 9), QTime(18, 30), Qt::UTC)); // NZDT is UTC+13
    EXPECT_EQ(auckland.day(t), QDate(2026, 1, 10)); // day and month names show in OutlookGeneratorsTest
    for (const char *bad :
        { "", "2026-01-10T7:30", "2026-02-30", "2026-01-10T24:00", "2026-01-10 07:30", "tomorrow" }) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(auckland.date(QString::fromLatin1(bad)));
    }

    const ForecastClock chicago(QStringLiteral("America/Chicago"));
    for (const auto &[time, label] : { std::pair { "2026-07-14T00:00", "12am" }, { "2026-07-14T12:00", "12pm" },
             { "2026-07-14T13:05", "1:05pm" }, { "2026-07-14T15:00", "3pm" },
             { "2026-03-08T02:30", "3:30am" } }) { // skipped when clocks go forward: the offset before
        SCOPED_TRACE(time);
        EXPECT_EQ(chicago.hourLabel(at(chicago, time)), QString::fromLatin1(label));
    }
    // The label is read in the place's zone even for an instant given in another one.
    EXPECT_EQ(chicago.hourLabel(QDateTime(QDate(2026, 7, 14), QTime(22, 0), Qt::UTC)), QStringLiteral("5pm"));
    const ForecastClock santiago(QStringLiteral("America/Santiago"));
    EXPECT_EQ(santiago.hourLabel(at(santiago, "2025-09-07")), QStringLiteral("1am")); // a skipped midnight

    const ForecastClock unknown(QStringLiteral("Mars/Olympus_Mons"));
    EXPECT_EQ(unknown.timeZone(), QTimeZone::systemTimeZone());
    EXPECT_TRUE(unknown.date(QStringLiteral("2026-01-10T07:30")));
}

TEST(BriefingUnits, RoundsAndNamesRanges)
{
    Forecast forecast;
    forecast.temperatureUnit = QStringLiteral("°F");
    const BriefingUnits f = BriefingUnits::fromForecast(forecast);
    EXPECT_EQ(f.temperature(-0.5), QStringLiteral("-1°F"));
    EXPECT_EQ(f.temperatureRange(76.6), QStringLiteral("upper 70s"));
    EXPECT_EQ(f.temperatureRange(103), QStringLiteral("low 100s"));
    EXPECT_EQ(f.temperatureRange(3.5), QStringLiteral("mid 0s"));
    EXPECT_EQ(f.temperatureRange(-3), QStringLiteral("around -3°F"));
    forecast.windSpeedUnit = QStringLiteral("km/h");
    EXPECT_EQ(BriefingUnits::fromForecast(forecast).speed(30.5), QStringLiteral("31 km/h"));
}

TEST(TimePhrases, TablesAtTheirEdges)
{
    for (const auto &[hour, daypart, time] : { std::tuple { 4, "overnight", "overnight" },
             { 5, "around sunrise", "early in the morning" }, { 9, "mid-morning", "through the morning" },
             { 20, "tonight", "in the evening" }, { 23, "overnight", "late in the evening" } }) {
        SCOPED_TRACE(hour);
        EXPECT_EQ(daypartName(hour), QString::fromLatin1(daypart));
        EXPECT_EQ(timeOfDayPhrase(hour), QString::fromLatin1(time));
    }
    for (const auto &[code, cloud, text] : { std::tuple { 61, 24.9, "plenty of sun" }, { 61, 25.0, "sun and clouds" },
             { 80, 59.9, "sun and clouds" }, { 95, 60.0, "cloudy skies" } }) {
        SCOPED_TRACE(code);
        EXPECT_EQ(skyPhrase(code, cloud), QString::fromLatin1(text));
    }
}

TEST(TimePhrases, StableHashAndSeed)
{
    EXPECT_EQ(stableHash({ QStringLiteral("abc") }), 88168267U);
    EXPECT_EQ(stableHash({ QString() }), 69346085U);
    EXPECT_EQ(stableHash({}), 69346085U);
    // The texts are joined with "|" and hashed as UTF-8 (values from an independent FNV-1a); a
    // variant seed hashes the date, the six-hour block, the zone and the key.
    EXPECT_EQ(stableHash({ QStringLiteral("Zürich"), QStringLiteral("°F") }), 1844772432U);
    EXPECT_EQ(variantSeed(fixtures::featuresOf(fixtures::quietForecast()), QStringLiteral("precip")), 603570154U);
}

TEST(TimePhrases, EpisodeTiming)
{
    const WeatherFeatures f = fixtures::featuresOf(fixtures::quietForecast()); // 10:00
    const auto episode = [&](const char *start, int hours, const char *ongoingUntil = nullptr) {
        PrecipEpisode e;
        e.start = at(f.clock, start);
        e.end = ongoingUntil ? at(f.clock, ongoingUntil) : e.start.addSecs(3600LL * hours);
        e.hours = hours;
        e.isOngoing = ongoingUntil != nullptr;
        return e;
    };
    for (const auto &[e, text] : { std::pair { episode("2026-07-14T13:00", 1), "around 1pm" },
             { episode("2026-07-14T21:00", 6), "tonight and lingering" },
             { episode("2026-07-15T21:00", 1), "tomorrow tonight" },
             { episode("2026-07-15T02:00", 8), "tomorrow overnight and lingering" },
             { episode("2026-07-14T09:00", 2, "2026-07-14T11:30"), "for another hour or so" },
             { episode("2026-07-14T09:00", 2, "2026-07-14T15:00"), "through about 3pm" },
             { episode("2026-07-14T09:00", 2, "2026-07-14T19:00"), "on and off through the day" } }) {
        SCOPED_TRACE(text);
        EXPECT_EQ(episodeTiming(e, f), QString::fromLatin1(text));
    }
}
