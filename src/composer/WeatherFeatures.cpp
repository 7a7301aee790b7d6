// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/WeatherFeatures.h"

#include <algorithm>
#include <array>

namespace composer {
namespace {

// Amounts are inches in a Fahrenheit forecast and millimetres in a Celsius one.
constexpr double kWetHourInches = 0.007874015748031498; // 0.2 mm
constexpr double kWetHourMm = 0.2;
constexpr double kWetYesterdayInches = 0.2362204724409449; // 6 mm
constexpr double kWetYesterdayMm = 6.0;
constexpr double kCalmMph = 8.077823; // 13 km/h
constexpr double kCalmKmh = 13.0;
constexpr qint64 kTonightFallbackSeconds = 50400;

double toFahrenheit(double celsius)
{
    return celsius * 9.0 / 5.0 + 32.0;
}

bool isWetHour(const HourlyWeather &hour, bool fahrenheit)
{
    return hour.precipitationProbability >= 30 || hour.precipitation > (fahrenheit ? kWetHourInches : kWetHourMm);
}

std::optional<PrecipEpisode> closeGroup(
    const QList<HourlyWeather> &group, const ForecastClock &clock, const QDateTime &now)
{
    const std::optional<QDateTime> start = clock.date(group.constFirst().time);
    if (!start) {
        return std::nullopt;
    }
    double peak = group.constFirst().precipitationProbability;
    for (const HourlyWeather &hour : group) {
        peak = std::max(peak, hour.precipitationProbability);
    }
    if (group.size() == 1 && peak < 40) {
        return std::nullopt;
    }
    PrecipEpisode episode;
    episode.start = *start;
    episode.end = clock.date(group.constLast().time).value_or(*start).addSecs(3600);
    episode.peakProbability = peak;
    episode.type = precipType(group);
    episode.isOngoing = *start <= now;
    episode.hours = static_cast<int>(group.size());
    return episode;
}

std::optional<Comfort> comfortClass(const QList<HourlyWeather> &hourly, bool fahrenheit)
{
    std::optional<double> highest;
    for (const HourlyWeather &hour : hourly.first(std::min<qsizetype>(18, hourly.size()))) {
        if (hour.dewPoint && (!highest || *hour.dewPoint > *highest)) {
            highest = hour.dewPoint;
        }
    }
    if (!highest) {
        return std::nullopt;
    }
    const double f = fahrenheit ? *highest : toFahrenheit(*highest);
    if (f < 50) {
        return Comfort::Dry;
    }
    if (f < 55) {
        return Comfort::Pleasant;
    }
    if (f < 60) {
        return Comfort::Comfortable;
    }
    if (f < 65) {
        return Comfort::Sticky;
    }
    if (f < 70) {
        return Comfort::Muggy;
    }
    if (f < 75) {
        return Comfort::Oppressive;
    }
    return Comfort::Miserable;
}

// The lowest temperature between the later of now and sunset and tomorrow's sunrise (or 14 hours
// on), with the frost and freeze tests over the same hours.
void assessTonight(const Forecast &forecast, WeatherFeatures &f)
{
    QDateTime start = f.now;
    if (const auto sunset = f.clock.date(f.today.sunset); sunset && *sunset > start) {
        start = *sunset;
    }
    std::optional<QDateTime> end;
    if (f.tomorrow) {
        end = f.clock.date(f.tomorrow->sunrise);
    }
    if (!end) {
        end = f.now.addSecs(kTonightFallbackSeconds);
    }
    double low = 0;
    double cloud = 0;
    double wind = 0;
    int count = 0;
    for (const HourlyWeather &hour : forecast.hourly) {
        const std::optional<QDateTime> time = f.clock.date(hour.time);
        if (!time || *time < start || *time > *end) {
            continue;
        }
        low = count == 0 ? hour.temperature : std::min(low, hour.temperature);
        cloud += hour.cloudCover;
        wind += hour.windSpeed;
        ++count;
    }
    if (count == 0) {
        return;
    }
    f.tonightLow = low;
    const double meanCloud = cloud / count;
    const double meanWind = wind / count;
    const bool fahrenheit = f.units.fahrenheit;
    const double freezing = fahrenheit ? 32.0 : 0.0;
    const double frostTop = fahrenheit ? 35.6 : 2.0;
    f.freezeRisk = low <= freezing;
    f.frostRisk = low > freezing && low <= frostTop && meanCloud < 40 && meanWind < (f.units.mph ? kCalmMph : kCalmKmh);
}

bool hasEarlyFog(const QList<HourlyWeather> &hourly, const ForecastClock &clock)
{
    for (const HourlyWeather &hour : hourly.first(std::min<qsizetype>(24, hourly.size()))) {
        if (hour.weatherCode != 45 && hour.weatherCode != 48) {
            continue;
        }
        if (const auto time = clock.date(hour.time)) {
            const int h = clock.hour(*time);
            if (h >= 3 && h <= 9) {
                return true;
            }
        }
    }
    return false;
}

std::optional<double> weekAnomaly(
    const QList<DailyWeather> &daily, const std::optional<ClimateNormals> &normals, bool fahrenheit)
{
    if (!normals) {
        return std::nullopt;
    }
    double sum = 0;
    int count = 0;
    for (const DailyWeather &day : daily) {
        const auto normal = normals->highs.constFind(day.date.right(5));
        if (normal == normals->highs.cend()) {
            continue;
        }
        sum += day.tempMax - (fahrenheit ? toFahrenheit(normal.value()) : normal.value());
        ++count;
    }
    return count > 0 ? std::optional<double>(sum / count) : std::nullopt;
}

} // namespace

QList<PrecipEpisode> buildEpisodes(
    const QList<HourlyWeather> &hourly, const ForecastClock &clock, bool fahrenheit, const QDateTime &now)
{
    QList<PrecipEpisode> episodes;
    QList<HourlyWeather> group;
    bool dryGap = false;
    const auto close = [&] {
        if (!group.isEmpty()) {
            if (auto episode = closeGroup(group, clock, now)) {
                episodes.append(*episode);
            }
        }
        group.clear();
        dryGap = false;
    };
    for (const HourlyWeather &hour : hourly) {
        if (isWetHour(hour, fahrenheit)) {
            group.append(hour);
            dryGap = false;
        } else if (group.isEmpty()) {
            continue;
        } else if (!dryGap) {
            dryGap = true;
        } else {
            close();
        }
    }
    close();
    return episodes;
}

PrecipType precipType(const QList<HourlyWeather> &hours)
{
    std::array<bool, 100> seen {}; // weather codes run from 0 to 99
    for (const HourlyWeather &hour : hours) {
        if (hour.weatherCode >= 0 && hour.weatherCode < 100) {
            seen.at(static_cast<size_t>(hour.weatherCode)) = true;
        }
    }
    const auto any = [&seen](std::initializer_list<int> codes) {
        return std::any_of(
            codes.begin(), codes.end(), [&seen](int code) { return seen.at(static_cast<size_t>(code)); });
    };
    const std::initializer_list<int> snowCodes = { 71, 73, 75, 77, 85, 86 };
    const std::initializer_list<int> rainCodes = { 51, 53, 55, 61, 63, 65, 80, 81, 82 };
    if (any({ 95, 96, 99 })) {
        return PrecipType::Storms;
    }
    if (any({ 56, 57, 66, 67 })) {
        return PrecipType::Freezing;
    }
    if (any(snowCodes) && any(rainCodes)) {
        return PrecipType::Mixed;
    }
    if (any({ 85, 86 })) {
        return PrecipType::SnowShowers;
    }
    if (any(snowCodes)) {
        return PrecipType::Snow;
    }
    if (any({ 80, 81, 82 })) {
        return PrecipType::Showers;
    }
    if (any({ 61, 63, 65 })) {
        return PrecipType::Rain;
    }
    return PrecipType::Drizzle;
}

std::optional<WeatherFeatures> extractFeatures(const Forecast &forecast, const QList<NwsAlert> &alerts,
    const std::optional<NextHourNowcast> &nowcast, const std::optional<ClimateNormals> &normals)
{
    if (forecast.daily.isEmpty()) {
        return std::nullopt;
    }
    ForecastClock clock(forecast.timezone);
    const std::optional<QDateTime> now = clock.date(forecast.current.time);
    if (!now) {
        return std::nullopt;
    }
    WeatherFeatures f;
    f.units = BriefingUnits::fromForecast(forecast);
    f.clock = clock;
    f.now = *now;
    const bool fahrenheit = f.units.fahrenheit;
    f.localHour = clock.hour(*now);
    f.current = forecast.current;
    f.today = forecast.daily.constFirst();
    if (forecast.daily.size() > 1) {
        f.tomorrow = forecast.daily.at(1);
    }
    f.yesterday = forecast.yesterday;
    const std::optional<QDateTime> sunset = clock.date(f.today.sunset);
    f.isAfterSunset = sunset ? *now >= *sunset : f.localHour > 18;

    f.episodes = buildEpisodes(forecast.hourly, clock, fahrenheit, *now);
    const QDate today = clock.day(*now);
    std::optional<QDate> tomorrow;
    if (f.tomorrow) {
        if (const auto date = clock.date(f.tomorrow->date)) {
            tomorrow = clock.day(*date);
        }
    }
    for (const PrecipEpisode &episode : std::as_const(f.episodes)) {
        const QDate day = clock.day(episode.start);
        if (day == today) {
            f.todayEpisodes.append(episode);
        }
        if (tomorrow && day == *tomorrow) {
            f.tomorrowEpisodes.append(episode);
        }
    }

    f.comfort = comfortClass(forecast.hourly, fahrenheit);
    f.feelsLikeGap = f.today.apparentMax - f.today.tempMax;
    assessTonight(forecast, f);
    f.fogEarly = hasEarlyFog(forecast.hourly, clock);
    f.stretch = summarizeStretch(forecast.daily, clock, fahrenheit, *now);
    if (f.yesterday) {
        f.comparisonDelta = f.today.tempMax - f.yesterday->tempMax;
        f.yesterdayWasWet = f.yesterday->precipitationSum >= (fahrenheit ? kWetYesterdayInches : kWetYesterdayMm);
    }
    f.weekAnomaly = weekAnomaly(forecast.daily, normals, fahrenheit);
    f.alerts = alerts;
    f.nowcast = nowcast;
    return f;
}

} // namespace composer
