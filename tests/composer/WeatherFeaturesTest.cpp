// SPDX-License-Identifier: GPL-3.0-or-later
// Condensing a forecast into features: episodes, comfort, tonight, fog, the week, comparisons.
#include "ComposerFixtures.h"

using namespace composer;
using fixtures::featuresOf;
using fixtures::quietForecast;

namespace {

// The forecast's first hours given (probability, amount) pairs; the rest stay dry.
Forecast withHours(Forecast forecast, std::initializer_list<std::pair<double, double>> hours)
{
    qsizetype i = 0;
    for (const auto &[probability, amount] : hours) {
        forecast.hourly[i].precipitationProbability = probability;
        forecast.hourly[i].precipitation = amount;
        ++i;
    }
    return forecast;
}

QList<HourlyWeather> withCodes(std::initializer_list<qint64> codes)
{
    QList<HourlyWeather> hours;
    for (const qint64 code : codes) {
        HourlyWeather h;
        h.weatherCode = code;
        hours.append(h);
    }
    return hours;
}

QList<DailyWeather> withHighs(const Forecast &forecast, std::initializer_list<double> highs)
{
    QList<DailyWeather> days = forecast.daily;
    qsizetype i = 0;
    for (const double high : highs) {
        days[i++].tempMax = high;
    }
    return days;
}

} // namespace

TEST(WeatherFeatures, BuildsEpisodesFromWetHours)
{
    const Forecast base = quietForecast(QStringLiteral("2026-07-14T10:00"));
    const ForecastClock clock(base.timezone);
    const auto episodesOf = [&](const Forecast &f) {
        return buildEpisodes(f.hourly, clock, f.temperatureUnit.contains(u'F'), *clock.date(f.current.time));
    };

    // One dry hour is bridged; two end the episode.
    QList<PrecipEpisode> episodes =
        episodesOf(withHours(base, { { 10, 0 }, { 60, 0 }, { 20, 0 }, { 70, 0 }, { 10, 0 }, { 10, 0 } }));
    ASSERT_EQ(episodes.size(), 1);
    EXPECT_EQ(fixtures::wallClock(episodes[0].start.toTimeZone(clock.timeZone())), QStringLiteral("2026-07-14T11:00"));
    EXPECT_EQ(fixtures::wallClock(episodes[0].end.toTimeZone(clock.timeZone())), QStringLiteral("2026-07-14T14:00"));
    EXPECT_EQ(episodes[0].hours, 2);
    EXPECT_EQ(episodes[0].peakProbability, 70);
    EXPECT_FALSE(episodes[0].isOngoing);

    episodes = episodesOf(withHours(base, { { 60, 0 }, { 10, 0 }, { 10, 0 }, { 50, 0 }, { 50, 0 } }));
    ASSERT_EQ(episodes.size(), 2);
    EXPECT_TRUE(episodes[0].isOngoing);
    EXPECT_EQ(episodes[0].hours, 1);
    EXPECT_EQ(episodes[1].hours, 2);

    // A lone hour needs 40 percent.
    EXPECT_TRUE(episodesOf(withHours(base, { { 0, 0 }, { 35, 0 } })).isEmpty());
    episodes = episodesOf(withHours(base, { { 0, 0 }, { 45, 0 } }));
    ASSERT_EQ(episodes.size(), 1);
    EXPECT_EQ(episodes[0].hours, 1);

    // Amounts make an hour wet only above 0.2 mm (or its inch equivalent).
    const Forecast celsius = quietForecast(QStringLiteral("2026-07-14T10:00"), false);
    EXPECT_EQ(episodesOf(withHours(celsius, { { 10, 0.3 }, { 50, 0 } }))[0].hours, 2);
    EXPECT_EQ(episodesOf(withHours(celsius, { { 10, 0.2 }, { 50, 0 } }))[0].hours, 1);
    EXPECT_EQ(episodesOf(withHours(base, { { 10, 0.008 }, { 50, 0 } }))[0].hours, 2);
    EXPECT_EQ(episodesOf(withHours(base, { { 10, 0.007874015748031498 }, { 50, 0 } }))[0].hours, 1);

    // A group whose first time does not parse is dropped.
    Forecast broken = withHours(base, { { 80, 0 }, { 80, 0 } });
    broken.hourly[0].time = QStringLiteral("soon");
    EXPECT_TRUE(episodesOf(broken).isEmpty());
}

TEST(WeatherFeatures, PrecipitationType)
{
    const struct
    {
        std::initializer_list<qint64> codes;
        PrecipType type;
    } rows[] = {
        { { 61, 71 }, PrecipType::Mixed },
        { { 80, 95 }, PrecipType::Storms },
        { { 85, 61 }, PrecipType::Mixed },
        { { 85, 3 }, PrecipType::SnowShowers },
        { { 73 }, PrecipType::Snow },
        { { 66, 71 }, PrecipType::Freezing },
        { { 99, 67 }, PrecipType::Storms },
        { { 80, 61 }, PrecipType::Showers },
        { { 63 }, PrecipType::Rain },
        { { 51, 2 }, PrecipType::Drizzle },
        { { 3 }, PrecipType::Drizzle },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(static_cast<int>(row.type));
        EXPECT_EQ(precipType(withCodes(row.codes)), row.type);
    }
}

TEST(WeatherFeatures, ComfortFromTheHighestDewPointOfTheNext18Hours)
{
    const struct
    {
        bool fahrenheit;
        double dewPoint;
        std::optional<Comfort> comfort;
    } rows[] = { { false, 18, Comfort::Sticky }, { true, 75, Comfort::Miserable }, { true, 49.9, Comfort::Dry },
        { true, 50, Comfort::Pleasant }, { true, 59.9, Comfort::Comfortable }, { true, 65, Comfort::Muggy },
        { true, 70, Comfort::Oppressive }, { false, 9.9, Comfort::Dry }, { false, 10, Comfort::Pleasant } };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.dewPoint);
        Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), row.fahrenheit);
        for (HourlyWeather &h : f.hourly) {
            h.dewPoint = row.fahrenheit ? 40 : 4;
        }
        f.hourly[17].dewPoint = row.dewPoint;
        EXPECT_EQ(featuresOf(f).comfort, row.comfort);
    }
    Forecast f = quietForecast();
    for (HourlyWeather &h : f.hourly) {
        h.dewPoint.reset();
    }
    f.hourly[18].dewPoint = 80; // beyond the 18 hours
    EXPECT_FALSE(featuresOf(f).comfort);
}

TEST(WeatherFeatures, TonightFrostAndFreeze)
{
    // Now 10:00, sunset 20:00, tomorrow's sunrise 06:00: tonight is hours 10 to 20 of the list.
    const auto tonight = [](bool fahrenheit, double low, double cloud, double wind) {
        Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), fahrenheit);
        for (qsizetype i = 10; i <= 20; ++i) {
            f.hourly[i].temperature = fahrenheit ? 40 : 5;
            f.hourly[i].cloudCover = cloud;
            f.hourly[i].windSpeed = wind;
        }
        f.hourly[20].temperature = low; // 06:00, the window's last hour
        f.hourly[9].temperature = -20; // 19:00, before sunset
        f.hourly[21].temperature = -20; // 07:00, after sunrise
        return featuresOf(f);
    };
    const struct
    {
        const char *name;
        WeatherFeatures f;
        double low;
        bool frost;
        bool freeze;
    } rows[] = {
        { "frost at 1.5 °C, clear, calm", tonight(false, 1.5, 20, 8), 1.5, true, false },
        { "cloud cover 40 stops frost", tonight(false, 1.5, 40, 8), 1.5, false, false },
        { "13 km/h stops frost", tonight(false, 1.5, 20, 13), 1.5, false, false },
        { "2 °C is still frost", tonight(false, 2, 20, 8), 2, true, false },
        { "0 °C is freeze", tonight(false, 0, 20, 8), 0, false, true },
        { "35.6 °F, calm in mph", tonight(true, 35.6, 20, 8), 35.6, true, false },
        { "8.1 mph stops frost", tonight(true, 35, 20, 8.1), 35, false, false },
        { "32 °F is freeze", tonight(true, 32, 90, 30), 32, false, true },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.f.tonightLow, row.low);
        EXPECT_EQ(row.f.frostRisk, row.frost);
        EXPECT_EQ(row.f.freezeRisk, row.freeze);
    }

    // Without tomorrow's sunrise the night ends 14 hours after now (midnight here).
    Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"));
    f.daily[1].sunrise = QStringLiteral("n/a");
    f.hourly[14].temperature = 50; // 00:00, included
    f.hourly[15].temperature = 40; // 01:00, excluded
    EXPECT_EQ(featuresOf(f).tonightLow, 50);
    // No hours in the window: no low, no frost.
    f.hourly = f.hourly.first(9);
    EXPECT_FALSE(featuresOf(f).tonightLow);
}

TEST(WeatherFeatures, SunsetFogAndYesterday)
{
    Forecast f = quietForecast(QStringLiteral("2026-07-14T20:00"));
    EXPECT_TRUE(featuresOf(f).isAfterSunset);
    f.current.time = QStringLiteral("2026-07-14T19:59");
    EXPECT_FALSE(featuresOf(f).isAfterSunset);
    f.daily[0].sunset.clear(); // without a sunset, after 18:00 counts as after sunset
    EXPECT_TRUE(featuresOf(f).isAfterSunset);
    f.current.time = QStringLiteral("2026-07-14T18:30");
    EXPECT_FALSE(featuresOf(f).isAfterSunset);

    f = quietForecast(QStringLiteral("2026-07-14T00:00"));
    f.hourly[5].weatherCode = 45; // 05:00
    EXPECT_TRUE(featuresOf(f).fogEarly);
    f.hourly[5].weatherCode = 1;
    f.hourly[12].weatherCode = 48; // noon
    f.hourly[27].weatherCode = 45; // 03:00 tomorrow, beyond 24 hours
    EXPECT_FALSE(featuresOf(f).fogEarly);

    f = quietForecast();
    EXPECT_FALSE(featuresOf(f).comparisonDelta);
    DailyWeather yesterday = f.daily[0];
    yesterday.tempMax = 61;
    yesterday.precipitationSum = 0.2362204724409449;
    f.yesterday = yesterday;
    EXPECT_EQ(featuresOf(f).comparisonDelta, 9);
    EXPECT_TRUE(featuresOf(f).yesterdayWasWet);
    f.yesterday->precipitationSum = 0.23;
    EXPECT_FALSE(featuresOf(f).yesterdayWasWet);
}

TEST(WeatherFeatures, TheWeekAhead)
{
    const Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00")); // a Tuesday
    const ForecastClock clock(f.timezone);
    const QDateTime now = *clock.date(f.current.time);

    StretchSummary s = summarizeStretch(withHighs(f, { 60, 62, 64, 66, 68, 70, 72 }), clock, true, now);
    EXPECT_EQ(s.trend, Trend::Warming);
    EXPECT_FALSE(s.breakpoint);
    EXPECT_EQ(summarizeStretch(withHighs(f, { 72, 70, 68, 66, 64, 62, 60 }), clock, true, now).trend, Trend::Cooling);
    EXPECT_EQ(summarizeStretch(withHighs(f, { 60, 61, 62, 63, 64, 65, 66 }), clock, true, now).trend, Trend::Steady);
    EXPECT_EQ(summarizeStretch(withHighs(f, { 20, 21, 22, 23, 24, 25, 26 }), clock, false, now).trend, Trend::Warming);
    EXPECT_EQ(summarizeStretch(f.daily.first(1), clock, true, now).trend, Trend::Steady);

    s = summarizeStretch(withHighs(f, { 70, 71, 60, 61, 62, 61, 60 }), clock, true, now);
    ASSERT_TRUE(s.breakpoint);
    EXPECT_EQ(s.breakpoint->day.date, QStringLiteral("2026-07-16"));
    EXPECT_EQ(s.breakpoint->delta, -11);
    // Equal steps: the first one stays.
    s = summarizeStretch(withHighs(f, { 70, 80, 70, 70, 70, 70, 70 }), clock, true, now);
    EXPECT_EQ(s.breakpoint->day.date, QStringLiteral("2026-07-15"));

    // Weekend days are Saturday the 18th and Sunday the 19th; they matter from Wednesday to Friday.
    EXPECT_EQ(s.weekend.size(), 2);
    EXPECT_FALSE(s.weekendIsRelevant);
    for (const char *day : { "2026-07-15T10:00", "2026-07-16T10:00", "2026-07-17T10:00" }) {
        SCOPED_TRACE(day);
        EXPECT_TRUE(summarizeStretch(f.daily, clock, true, *clock.date(QString::fromLatin1(day))).weekendIsRelevant);
    }
    EXPECT_FALSE(
        summarizeStretch(f.daily, clock, true, *clock.date(QStringLiteral("2026-07-18T10:00"))).weekendIsRelevant);

    // Wet days: from tomorrow on, 50 percent or 2.5 mm (0.0984 in).
    QList<DailyWeather> days = f.daily;
    days[0].precipitationProbabilityMax = 90;
    days[2].precipitationSum = 0.0984251968503937;
    days[3].precipitationSum = 0.098;
    days[4].precipitationProbabilityMax = 50;
    s = summarizeStretch(days, clock, true, now);
    ASSERT_EQ(s.wetDays.size(), 2);
    EXPECT_EQ(s.wetDays[0].date, QStringLiteral("2026-07-16"));
    EXPECT_EQ(s.wetDays[1].date, QStringLiteral("2026-07-18"));

    // Regimes of the days beyond tomorrow: wet 70-72, dry 80-81, then a jump to 95.
    days = withHighs(f, { 70, 70, 70, 72, 80, 81, 95 });
    days[2].precipitationProbabilityMax = 60;
    days[3].precipitationProbabilityMax = 70;
    const QList<WeekRegime> regimes = summarizeStretch(days, clock, true, now).regimes;
    ASSERT_EQ(regimes.size(), 3);
    EXPECT_TRUE(regimes[0].isWet);
    EXPECT_EQ(regimes[0].days.size(), 2);
    EXPECT_EQ(regimes[0].meanHigh, 71);
    EXPECT_FALSE(regimes[1].isWet);
    EXPECT_EQ(regimes[1].meanHigh, 80.5);
    EXPECT_EQ(regimes[2].days[0].date, QStringLiteral("2026-07-20"));
    EXPECT_TRUE(summarizeStretch(f.daily.first(2), clock, true, now).regimes.isEmpty());
    EXPECT_TRUE(buildRegimes({}, true).isEmpty());
}

TEST(WeatherFeatures, WeekAnomalyAgainstTheNormals)
{
    ClimateNormals normals;
    normals.highs.insert(QStringLiteral("07-14"), 20); // 68 °F
    normals.highs.insert(QStringLiteral("07-15"), 25); // 77 °F
    Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), true); // highs 70 °F
    EXPECT_DOUBLE_EQ(*featuresOf(f, {}, std::nullopt, normals).weekAnomaly, -2.5);
    EXPECT_FALSE(featuresOf(f).weekAnomaly);
    f = quietForecast(QStringLiteral("2026-07-14T10:00"), false); // highs 21 °C
    EXPECT_DOUBLE_EQ(*featuresOf(f, {}, std::nullopt, normals).weekAnomaly, -1.5);
    EXPECT_FALSE(featuresOf(f, {}, std::nullopt, ClimateNormals {}).weekAnomaly);
}

TEST(WeatherFeatures, BadInput)
{
    Forecast f = quietForecast();
    f.current.time = QStringLiteral("2026-07-14 10:00");
    EXPECT_FALSE(extractFeatures(f, {}, std::nullopt, std::nullopt));
    f.current.time.clear();
    EXPECT_FALSE(extractFeatures(f, {}, std::nullopt, std::nullopt));
    f = quietForecast();
    f.daily.clear();
    EXPECT_FALSE(extractFeatures(f, {}, std::nullopt, std::nullopt));

    // Episodes split into today and tomorrow; an unparsable tomorrow date only empties tomorrow's.
    f = quietForecast(QStringLiteral("2026-07-14T10:00"));
    f.hourly[2].precipitationProbability = 80; // 12:00 today
    f.hourly[26].precipitationProbability = 80; // 12:00 tomorrow
    f.hourly[45].precipitationProbability = 80; // 07:00 the day after
    WeatherFeatures features = featuresOf(f);
    EXPECT_EQ(features.episodes.size(), 3);
    EXPECT_EQ(features.todayEpisodes.size(), 1);
    EXPECT_EQ(features.tomorrowEpisodes.size(), 1);
    f.daily[1].date = QStringLiteral("tomorrow");
    f.daily[0].sunset = QStringLiteral("dusk");
    f.hourly[3].time = QStringLiteral("later");
    features = featuresOf(f);
    EXPECT_EQ(features.todayEpisodes.size(), 1);
    EXPECT_TRUE(features.tomorrowEpisodes.isEmpty());
    EXPECT_FALSE(features.isAfterSunset);
    EXPECT_TRUE(features.tonightLow);
    // A forecast with only today: no tomorrow, no regimes.
    f.daily = f.daily.first(1);
    features = featuresOf(f);
    EXPECT_FALSE(features.tomorrow);
    EXPECT_TRUE(features.stretch.regimes.isEmpty());
}
