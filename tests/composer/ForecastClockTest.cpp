// SPDX-License-Identifier: GPL-3.0-or-later
// The clock, the units and the phrase tables the composer's sentences are built from.
#include "ComposerFixtures.h"

#include "composer/BriefingUnits.h"
#include "composer/ForecastClock.h"
#include "composer/TimePhrases.h"

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
    EXPECT_EQ(auckland.hour(t), 7);
    EXPECT_EQ(auckland.day(t), QDate(2026, 1, 10));
    EXPECT_EQ(auckland.weekdayName(t), QStringLiteral("Saturday"));
    EXPECT_EQ(auckland.weekday(t), 7);
    EXPECT_EQ(auckland.monthName(t), QStringLiteral("January"));

    const QDateTime day = at(auckland, "2026-01-11");
    EXPECT_EQ(auckland.hour(day), 0);
    EXPECT_EQ(auckland.weekdayName(day), QStringLiteral("Sunday"));
    EXPECT_EQ(auckland.weekday(day), 1);

    for (const char *bad : { "", "2026-01-10T7:30", "2026-13-01", "2026-02-30", "2026-01-10T24:00",
             "2026-01-10T07:30:00", "2026-01-10 07:30", "tomorrow", "2026-01-1x" }) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(auckland.date(QString::fromLatin1(bad)));
    }

    // Times skipped when clocks go forward are read with the offset before the change.
    const ForecastClock chicago(QStringLiteral("America/Chicago"));
    EXPECT_EQ(chicago.hourLabel(at(chicago, "2026-03-08T02:30")), QStringLiteral("3:30am"));
    const ForecastClock santiago(QStringLiteral("America/Santiago"));
    const QDateTime skippedMidnight = at(santiago, "2025-09-07");
    ASSERT_TRUE(skippedMidnight.isValid());
    EXPECT_EQ(santiago.hourLabel(skippedMidnight), QStringLiteral("1am"));
    EXPECT_EQ(santiago.weekdayName(skippedMidnight), QStringLiteral("Sunday"));

    const ForecastClock unknown(QStringLiteral("Mars/Olympus_Mons"));
    EXPECT_EQ(unknown.timeZone(), QTimeZone::systemTimeZone());
    EXPECT_TRUE(unknown.date(QStringLiteral("2026-01-10T07:30")));
}

TEST(ForecastClock, HourLabelsAndWeekdays)
{
    const ForecastClock clock(QStringLiteral("America/Chicago"));
    const struct
    {
        const char *time;
        const char *label;
    } rows[] = { { "2026-07-14T00:00", "12am" }, { "2026-07-14T12:00", "12pm" }, { "2026-07-14T13:05", "1:05pm" },
        { "2026-07-14T15:00", "3pm" }, { "2026-07-14T03:30", "3:30am" }, { "2026-07-14T23:59", "11:59pm" } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.time);
        EXPECT_EQ(clock.hourLabel(at(clock, row.time)), QString::fromLatin1(row.label));
    }
    // The label is read in the place's zone even for an instant given in another one.
    EXPECT_EQ(clock.hourLabel(QDateTime(QDate(2026, 7, 14), QTime(22, 0), Qt::UTC)), QStringLiteral("5pm"));
    EXPECT_EQ(clock.weekdayName(at(clock, "2026-07-15")), QStringLiteral("Wednesday"));
}

TEST(BriefingUnits, WritesNumbersWithTheForecastsUnits)
{
    Forecast forecast;
    forecast.temperatureUnit = QStringLiteral("°F");
    forecast.windSpeedUnit = QStringLiteral("mph");
    const BriefingUnits f = BriefingUnits::fromForecast(forecast);
    EXPECT_TRUE(f.fahrenheit);
    EXPECT_TRUE(f.mph);
    EXPECT_EQ(f.temperature(71.5), QStringLiteral("72°F"));
    EXPECT_EQ(f.temperature(-0.5), QStringLiteral("-1°F"));
    EXPECT_EQ(f.speed(14.4), QStringLiteral("14 mph"));
    const struct
    {
        double value;
        const char *range;
    } rows[] = { { 70, "low 70s" }, { 74, "mid 70s" }, { 76.6, "upper 70s" }, { 103, "low 100s" }, { 3.5, "mid 0s" },
        { -3, "around -3°F" } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(f.temperatureRange(row.value), QString::fromUtf8(row.range));
    }

    forecast.temperatureUnit = QStringLiteral("°C");
    forecast.windSpeedUnit = QStringLiteral("km/h");
    const BriefingUnits c = BriefingUnits::fromForecast(forecast);
    EXPECT_FALSE(c.fahrenheit);
    EXPECT_FALSE(c.mph);
    EXPECT_EQ(c.temperatureRange(22.4), QStringLiteral("around 22°C"));
    EXPECT_EQ(c.speed(30.5), QStringLiteral("31 km/h"));
}

TEST(TimePhrases, Tables)
{
    const char *dayparts[24] = { "overnight", "overnight", "overnight", "overnight", "overnight", "around sunrise",
        "around sunrise", "early morning", "early morning", "mid-morning", "mid-morning", "midday", "midday",
        "early afternoon", "early afternoon", "late afternoon", "late afternoon", "this evening", "this evening",
        "this evening", "tonight", "tonight", "tonight", "overnight" };
    const char *times[24] = { "overnight", "overnight", "overnight", "overnight", "overnight", "early in the morning",
        "early in the morning", "early in the morning", "early in the morning", "through the morning",
        "through the morning", "through the morning", "around midday", "around midday", "around midday",
        "in the afternoon", "in the afternoon", "in the afternoon", "in the evening", "in the evening",
        "in the evening", "late in the evening", "late in the evening", "late in the evening" };
    for (int hour = 0; hour < 24; ++hour) {
        SCOPED_TRACE(hour);
        EXPECT_EQ(daypartName(hour), QString::fromLatin1(dayparts[hour]));
        EXPECT_EQ(timeOfDayPhrase(hour), QString::fromLatin1(times[hour]));
    }
    const struct
    {
        qint64 code;
        double cloud;
        const char *text;
    } skies[] = { { 0, 90, "full sun" }, { 1, 90, "mostly sunny skies" }, { 2, 90, "sun and clouds" },
        { 3, 0, "cloudy skies" }, { 45, 0, "fog" }, { 48, 0, "fog" }, { 61, 10, "plenty of sun" },
        { 61, 24.9, "plenty of sun" }, { 61, 25, "sun and clouds" }, { 80, 59.9, "sun and clouds" },
        { 95, 60, "cloudy skies" } };
    for (const auto &row : skies) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(skyPhrase(row.code, row.cloud), QString::fromLatin1(row.text));
    }
}

TEST(TimePhrases, StableHash)
{
    EXPECT_EQ(stableHash({ QStringLiteral("abc") }), 88168267U);
    EXPECT_EQ(stableHash({ QString() }), 69346085U);
    EXPECT_EQ(stableHash({}), 69346085U);
    // Parts are joined with "|" and hashed as UTF-8 (values from an independent FNV-1a).
    EXPECT_EQ(stableHash({ QStringLiteral("Zürich"), QStringLiteral("°F") }), 1844772432U);
    EXPECT_EQ(stableHash({ QStringLiteral("2026-07-14"), QStringLiteral("1"), QStringLiteral("America/Chicago"),
                  QStringLiteral("precip") }),
        603570154U);
}

TEST(TimePhrases, VariantSeedFollowsDateHourBlockZoneAndKey)
{
    Forecast forecast = fixtures::quietForecast(QStringLiteral("2026-07-14T10:00"));
    EXPECT_EQ(variantSeed(fixtures::featuresOf(forecast), QStringLiteral("precip")), 603570154U);

    const auto seedAt = [&](const char *now) {
        forecast.current.time = QString::fromLatin1(now);
        return variantSeed(fixtures::featuresOf(forecast), QStringLiteral("mild"));
    };
    EXPECT_EQ(seedAt("2026-07-14T05:59"), 1324326034U);
    EXPECT_EQ(seedAt("2026-07-14T06:00"), 1492661247U);
    EXPECT_EQ(seedAt("2026-07-14T11:59"), 1492661247U);
}

TEST(TimePhrases, EpisodeTiming)
{
    const WeatherFeatures f = fixtures::featuresOf(fixtures::quietForecast(QStringLiteral("2026-07-14T10:00")));
    const ForecastClock &clock = f.clock;
    const auto episode = [&](const char *start, int hours, bool ongoing = false) {
        PrecipEpisode e;
        e.start = at(clock, start);
        e.end = e.start.addSecs(3600LL * hours);
        e.hours = hours;
        e.isOngoing = ongoing;
        e.peakProbability = 70;
        return e;
    };
    const struct
    {
        PrecipEpisode episode;
        const char *text;
    } rows[] = {
        { episode("2026-07-14T13:00", 4), "around 1pm, winding down by 5pm" },
        { episode("2026-07-14T13:00", 7), "around 1pm and lingering" },
        { episode("2026-07-14T13:00", 1), "around 1pm" },
        { episode("2026-07-14T16:00", 2), "around 4pm, winding down by 6pm" },
        { episode("2026-07-14T17:00", 2), "this evening" },
        { episode("2026-07-14T21:00", 6), "tonight and lingering" },
        { episode("2026-07-15T18:00", 1), "tomorrow evening" },
        { episode("2026-07-15T21:00", 1), "tomorrow tonight" },
        { episode("2026-07-15T07:00", 3), "tomorrow early morning" },
        { episode("2026-07-15T02:00", 8), "tomorrow overnight and lingering" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(episodeTiming(row.episode, f), QString::fromLatin1(row.text));
    }
    PrecipEpisode ongoing = episode("2026-07-14T09:00", 2, true);
    ongoing.end = at(clock, "2026-07-14T11:00");
    EXPECT_EQ(episodeTiming(ongoing, f), QStringLiteral("for another hour or so"));
    ongoing.end = at(clock, "2026-07-14T11:30");
    EXPECT_EQ(episodeTiming(ongoing, f), QStringLiteral("for another hour or so"));
    ongoing.end = at(clock, "2026-07-14T15:00");
    EXPECT_EQ(episodeTiming(ongoing, f), QStringLiteral("through about 3pm"));
    ongoing.end = at(clock, "2026-07-14T19:00");
    EXPECT_EQ(episodeTiming(ongoing, f), QStringLiteral("on and off through the day"));
}
