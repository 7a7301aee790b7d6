// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "composer/BriefingUnits.h"
#include "composer/ForecastClock.h"
#include "weather/ClimateNormals.h"
#include "weather/Forecast.h"
#include "weather/NextHourNowcast.h"
#include "weather/NwsAlert.h"

#include <QDateTime>
#include <QList>

#include <optional>

// The facts a presenter would talk about, condensed from one forecast. Every temperature, dew
// point, speed and amount stays in the forecast's own units.

enum class PrecipType { Drizzle, Rain, Showers, Storms, Snow, SnowShowers, Mixed, Freezing };

// Ordered: a later class is more humid.
enum class Comfort { Dry, Pleasant, Comfortable, Sticky, Muggy, Oppressive, Miserable };

enum class Trend { Warming, Cooling, Steady };

// A run of wet hours; one dry hour inside it is bridged.
struct PrecipEpisode
{
    QDateTime start;
    QDateTime end; // one hour after the last wet hour began
    double peakProbability = 0;
    PrecipType type = PrecipType::Drizzle;
    bool isOngoing = false; // started at or before now
    int hours = 0; // wet hours, bridged dry hours not counted
};

// Consecutive days beyond tomorrow that share wetness and stay near one temperature.
struct WeekRegime
{
    QList<DailyWeather> days;
    bool isWet = false;
    double meanHigh = 0;
};

struct StretchBreakpoint
{
    DailyWeather day;
    double delta = 0;
};

// The shape of the days ahead.
struct StretchSummary
{
    Trend trend = Trend::Steady;
    std::optional<StretchBreakpoint> breakpoint;
    QList<DailyWeather> wetDays;
    QList<DailyWeather> weekend;
    bool weekendIsRelevant = false;
    QList<WeekRegime> regimes;
};

struct WeatherFeatures
{
    BriefingUnits units;
    ForecastClock clock;
    QDateTime now; // current.time
    int localHour = 0;
    bool isAfterSunset = false;
    CurrentWeather current;
    DailyWeather today;
    std::optional<DailyWeather> tomorrow;
    std::optional<DailyWeather> yesterday;
    QList<PrecipEpisode> episodes;
    QList<PrecipEpisode> todayEpisodes;
    QList<PrecipEpisode> tomorrowEpisodes;
    std::optional<Comfort> comfort;
    double feelsLikeGap = 0;
    std::optional<double> tonightLow;
    bool frostRisk = false;
    bool freezeRisk = false;
    bool fogEarly = false;
    StretchSummary stretch;
    QList<NwsAlert> alerts;
    std::optional<NextHourNowcast> nowcast;
    std::optional<double> comparisonDelta;
    bool yesterdayWasWet = false;
    std::optional<double> weekAnomaly;
};

namespace composer {

// The change in highs that counts as a real step: 8.1 °F or 4.5 °C.
[[nodiscard]] double temperatureStep(bool fahrenheit);

// Absent when the forecast has no days or its current time does not parse.
[[nodiscard]] std::optional<WeatherFeatures> extractFeatures(const Forecast &forecast, const QList<NwsAlert> &alerts,
    const std::optional<NextHourNowcast> &nowcast, const std::optional<ClimateNormals> &normals);

[[nodiscard]] QList<PrecipEpisode> buildEpisodes(
    const QList<HourlyWeather> &hourly, const ForecastClock &clock, bool fahrenheit, const QDateTime &now);
[[nodiscard]] PrecipType precipType(const QList<HourlyWeather> &hours);
[[nodiscard]] QList<WeekRegime> buildRegimes(const QList<DailyWeather> &days, bool fahrenheit);
[[nodiscard]] StretchSummary summarizeStretch(
    const QList<DailyWeather> &daily, const ForecastClock &clock, bool fahrenheit, const QDateTime &now);

} // namespace composer
