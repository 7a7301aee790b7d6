// SPDX-License-Identifier: GPL-3.0-or-later
// Condensing a forecast into features: episodes, comfort, tonight, fog, the week, comparisons.
#include "ComposerFixtures.h"

using namespace composer;
using fixtures::featuresOf;
using fixtures::quietForecast;

namespace {

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
    const struct
    {
        const char *name;
        bool fahrenheit;
        std::initializer_list<std::pair<double, double>> hours; // (probability, amount) from now on
        QList<int> episodeHours;
    } rows[] = {
        { "one dry hour is bridged", true, { { 10, 0 }, { 60, 0 }, { 20, 0 }, { 70, 0 }, { 10, 0 }, { 10, 0 } },
            { 2 } },
        { "two dry hours end an episode", true, { { 60, 0 }, { 10, 0 }, { 10, 0 }, { 50, 0 }, { 50, 0 } }, { 1, 2 } },
        { "a lone hour at 35 percent is dry", true, { { 0, 0 }, { 35, 0 } }, {} },
        { "an hour at exactly 30 percent joins an episode", true, { { 50, 0 }, { 30, 0 }, { 10, 0 } }, { 2 } },
        { "a lone hour at 45 percent is wet", true, { { 0, 0 }, { 45, 0 } }, { 1 } },
        { "0.3 mm is wet", false, { { 10, 0.3 }, { 50, 0 } }, { 2 } },
        { "0.2 mm is not", false, { { 10, 0.2 }, { 50, 0 } }, { 1 } },
        { "0.008 in is wet", true, { { 10, 0.008 }, { 50, 0 } }, { 2 } },
        { "0.2 mm in inches is not", true, { { 10, 0.007874015748031498 }, { 50, 0 } }, { 1 } },
    };
    const auto episodesOf = [](const auto &row) {
        Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), row.fahrenheit);
        qsizetype i = 0;
        for (const auto &[probability, amount] : row.hours) {
            f.hourly[i].precipitationProbability = probability;
            f.hourly[i++].precipitation = amount;
        }
        return featuresOf(f).episodes;
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QList<int> hours;
        for (const PrecipEpisode &e : episodesOf(row)) {
            hours.append(e.hours);
        }
        EXPECT_EQ(hours, row.episodeHours);
    }
    // Start, end and peak show in the sentences (TodayGeneratorsTest); wet now is ongoing.
    EXPECT_FALSE(episodesOf(rows[0]).at(0).isOngoing);
    EXPECT_TRUE(episodesOf(rows[1]).at(0).isOngoing);

    // A group whose first time does not parse is dropped.
    Forecast broken = fixtures::rainAt(quietForecast(), 0, 2, 80);
    broken.hourly[0].time = QStringLiteral("soon");
    EXPECT_TRUE(featuresOf(broken).episodes.isEmpty());
}

TEST(WeatherFeatures, PrecipitationType)
{
    const struct
    {
        std::initializer_list<qint64> codes;
        PrecipType type;
    } rows[] = { { { 61, 71 }, PrecipType::Mixed }, { { 85, 61 }, PrecipType::Mixed },
        { { 80, 95 }, PrecipType::Storms }, { { 99, 67 }, PrecipType::Storms }, { { 85, 3 }, PrecipType::SnowShowers },
        { { 73 }, PrecipType::Snow }, { { 66, 71 }, PrecipType::Freezing }, { { 80, 61 }, PrecipType::Showers },
        { { 63 }, PrecipType::Rain }, { { 51, 2 }, PrecipType::Drizzle }, { { 3 }, PrecipType::Drizzle } };
    for (const auto &row : rows) {
        SCOPED_TRACE(static_cast<int>(row.type));
        QList<HourlyWeather> hours;
        for (const qint64 code : row.codes) {
            hours.append(HourlyWeather {});
            hours.last().weatherCode = code;
        }
        EXPECT_EQ(precipType(hours), row.type);
    }
}

TEST(WeatherFeatures, ComfortFromTheHighestDewPointOfTheNext18Hours)
{
    for (const auto &[fahrenheit, dewPoint, comfort] : { std::tuple { false, 18.0, Comfort::Sticky },
             { true, 75.0, Comfort::Miserable }, { true, 49.9, Comfort::Dry }, { true, 50.0, Comfort::Pleasant } }) {
        SCOPED_TRACE(dewPoint);
        Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), fahrenheit);
        for (HourlyWeather &h : f.hourly) {
            h.dewPoint.reset();
        }
        f.hourly[17].dewPoint = dewPoint;
        f.hourly[18].dewPoint = 99; // beyond the 18 hours
        EXPECT_EQ(featuresOf(f).comfort, comfort);
    }
}

TEST(WeatherFeatures, TonightFrostAndFreeze)
{
    // Now 10:00, sunset 20:00, tomorrow's sunrise 06:00: tonight is hours 10 to 20 of the list.
    const auto tonight = [](bool fahrenheit, double low, double cloud, double wind) {
        Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), fahrenheit);
        for (qsizetype i = 0; i < f.hourly.size(); ++i) {
            f.hourly[i].temperature = i < 10 || i > 20 ? -20 : fahrenheit ? 40 : 5; // -20 outside the night
            f.hourly[i].cloudCover = cloud;
            f.hourly[i].windSpeed = wind;
        }
        f.hourly[20].temperature = low; // 06:00, the window's last hour
        const WeatherFeatures features = featuresOf(f);
        EXPECT_EQ(features.tonightLow, low);
        return std::pair { features.frostRisk, features.freezeRisk };
    };
    EXPECT_EQ(tonight(false, 1.5, 20, 8), std::pair(true, false)); // clear and calm
    EXPECT_EQ(tonight(false, 1.5, 40, 8), std::pair(false, false));
    EXPECT_EQ(tonight(false, 1.5, 20, 13), std::pair(false, false)); // 13 km/h
    EXPECT_EQ(tonight(true, 35, 20, 8.1), std::pair(false, false)); // 8.1 mph
    EXPECT_EQ(tonight(true, 32, 90, 30), std::pair(false, true));

    // Without tomorrow's sunrise the night ends 14 hours after now (midnight here).
    Forecast f = quietForecast();
    f.daily[1].sunrise = QStringLiteral("n/a");
    f.hourly[14].temperature = 50; // 00:00, included
    f.hourly[15].temperature = 40; // 01:00, excluded
    EXPECT_EQ(featuresOf(f).tonightLow, 50);
    f.hourly = f.hourly.first(9); // no hours in the window
    EXPECT_FALSE(featuresOf(f).tonightLow);
}

TEST(WeatherFeatures, SunsetFogAndYesterday)
{
    Forecast f = quietForecast(QStringLiteral("2026-07-14T19:00"));
    f.daily[0].sunset.clear(); // without a sunset, from 19:00 on counts as after sunset
    EXPECT_TRUE(featuresOf(f).isAfterSunset);
    f.current.time = QStringLiteral("2026-07-14T18:59");
    EXPECT_FALSE(featuresOf(f).isAfterSunset);

    f = quietForecast(QStringLiteral("2026-07-14T00:00"));
    f.hourly[12].weatherCode = 48; // noon
    f.hourly[27].weatherCode = 45; // 03:00 tomorrow, beyond 24 hours
    EXPECT_FALSE(featuresOf(f).fogEarly);

    f = quietForecast();
    f.yesterday = f.daily[0];
    f.yesterday->precipitationSum = 0.2362204724409449; // 6 mm
    EXPECT_TRUE(featuresOf(f).yesterdayWasWet);
    f.yesterday->precipitationSum = 0.23;
    EXPECT_FALSE(featuresOf(f).yesterdayWasWet);
}

TEST(WeatherFeatures, TheWeekAhead)
{
    const Forecast f = quietForecast(); // Tuesday the 14th
    const ForecastClock clock(f.timezone);
    const auto stretch = [&](const QList<DailyWeather> &days) {
        return summarizeStretch(days, clock, true, *clock.date(f.current.time));
    };
    // Warming, cooling and fronts show in the sentences (OutlookGeneratorsTest); these are the edges.
    EXPECT_EQ(stretch(withHighs(f, { 60, 61, 62, 63, 64, 65, 66 })).trend, Trend::Steady);
    StretchSummary s = stretch(withHighs(f, { 70, 71, 60, 61, 62, 61, 60 }));
    ASSERT_TRUE(s.breakpoint);
    EXPECT_EQ(s.breakpoint->day.date, QStringLiteral("2026-07-16"));

    // Wet days: from tomorrow on, 50 percent or 2.5 mm (0.0984 in).
    QList<DailyWeather> days = f.daily;
    days[0].precipitationProbabilityMax = 90;
    days[2].precipitationSum = 0.0984251968503937;
    days[3].precipitationSum = 0.098;
    days[4].precipitationProbabilityMax = 50;
    s = stretch(days);
    ASSERT_EQ(s.wetDays.size(), 2);
    EXPECT_EQ(s.wetDays[0].date, QStringLiteral("2026-07-16"));
    EXPECT_EQ(s.wetDays[1].date, QStringLiteral("2026-07-18"));
}

TEST(WeatherFeatures, BadInput)
{
    // An unreadable current time: LocalBriefingTest.
    Forecast f = quietForecast();
    f.daily.clear();
    EXPECT_FALSE(extractFeatures(f, {}, std::nullopt, std::nullopt));

    // Episodes split into today and tomorrow; an unparsable tomorrow date only empties tomorrow's.
    f = quietForecast();
    f.hourly[2].precipitationProbability = 80; // 12:00 today
    f.hourly[26].precipitationProbability = 80; // 12:00 tomorrow
    f.hourly[45].precipitationProbability = 80; // 07:00 the day after
    EXPECT_EQ(featuresOf(f).tomorrowEpisodes.size(), 1);
    f.daily[1].date = QStringLiteral("tomorrow");
    f.daily[0].sunset = QStringLiteral("dusk");
    const WeatherFeatures features = featuresOf(f);
    EXPECT_EQ(features.episodes.size(), 3);
    EXPECT_EQ(features.todayEpisodes.size(), 1);
    EXPECT_TRUE(features.tomorrowEpisodes.isEmpty());
    EXPECT_FALSE(features.isAfterSunset);
    EXPECT_TRUE(features.tonightLow);
}
