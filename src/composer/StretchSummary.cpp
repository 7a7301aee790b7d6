// SPDX-License-Identifier: GPL-3.0-or-later
// The days ahead: trend, the sharpest day-to-day change, wet days, the weekend and regimes.
#include "composer/WeatherFeatures.h"

#include <cmath>

namespace composer {
namespace {

bool isWetRegimeDay(const DailyWeather &day)
{
    return day.precipitationProbabilityMax >= 50;
}

WeekRegime closeRun(const QList<DailyWeather> &run)
{
    double sum = 0;
    for (const DailyWeather &day : run) {
        sum += day.tempMax;
    }
    return WeekRegime { run, isWetRegimeDay(run.constFirst()), sum / static_cast<double>(run.size()) };
}

// The change over the whole list along the least-squares line through the highs.
double totalChange(const QList<DailyWeather> &daily)
{
    const qsizetype n = daily.size();
    const double centre = static_cast<double>(n - 1) / 2.0;
    double meanHigh = 0;
    for (const DailyWeather &day : daily) {
        meanHigh += day.tempMax;
    }
    meanHigh /= static_cast<double>(n);
    double covariance = 0;
    double variance = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const double x = static_cast<double>(i) - centre;
        covariance += x * (daily.at(i).tempMax - meanHigh);
        variance += x * x;
    }
    return variance == 0 ? 0 : covariance / variance * static_cast<double>(n - 1);
}

} // namespace

double temperatureStep(bool fahrenheit)
{
    return fahrenheit ? 8.1 : 4.5;
}

QList<WeekRegime> buildRegimes(const QList<DailyWeather> &days, bool fahrenheit)
{
    QList<WeekRegime> regimes;
    if (days.isEmpty()) {
        return regimes;
    }
    const double step = temperatureStep(fahrenheit);
    QList<DailyWeather> run { days.constFirst() };
    double sum = days.constFirst().tempMax;
    for (qsizetype i = 1; i < days.size(); ++i) {
        const DailyWeather &day = days.at(i);
        const double mean = sum / static_cast<double>(run.size());
        if (isWetRegimeDay(day) != isWetRegimeDay(run.constFirst()) || std::abs(day.tempMax - mean) >= step) {
            regimes.append(closeRun(run));
            run = { day };
            sum = day.tempMax;
        } else {
            run.append(day);
            sum += day.tempMax;
        }
    }
    regimes.append(closeRun(run));
    return regimes;
}

StretchSummary summarizeStretch(
    const QList<DailyWeather> &daily, const ForecastClock &clock, bool fahrenheit, const QDateTime &now)
{
    StretchSummary summary;
    const qsizetype n = daily.size();
    const double step = temperatureStep(fahrenheit);
    if (n >= 2) {
        const double change = totalChange(daily);
        summary.trend = change >= step ? Trend::Warming : change <= -step ? Trend::Cooling : Trend::Steady;
    }
    for (qsizetype i = 0; i + 1 < n; ++i) {
        const double delta = daily.at(i + 1).tempMax - daily.at(i).tempMax;
        if (std::abs(delta) >= step && (!summary.breakpoint || std::abs(delta) > std::abs(summary.breakpoint->delta))) {
            summary.breakpoint = StretchBreakpoint { daily.at(i + 1), delta };
        }
    }
    const double wetAmount = fahrenheit ? 0.0984251968503937 : 2.5; // 2.5 mm
    for (qsizetype i = 1; i < n; ++i) {
        const DailyWeather &day = daily.at(i);
        if (day.precipitationProbabilityMax >= 50 || day.precipitationSum >= wetAmount) {
            summary.wetDays.append(day);
        }
        if (const auto date = clock.date(day.date)) {
            const int weekday = clock.weekday(*date);
            if (weekday == 7 || weekday == 1) {
                summary.weekend.append(day);
            }
        }
    }
    const int today = clock.weekday(now);
    summary.weekendIsRelevant = !summary.weekend.isEmpty() && today >= 4 && today <= 6;
    if (n > 2) {
        summary.regimes = buildRegimes(daily.mid(2), fahrenheit);
    }
    return summary;
}

} // namespace composer
