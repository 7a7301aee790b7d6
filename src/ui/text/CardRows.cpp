// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text/CardRows.h"

#include "ui/text/CardText.h"
#include "ui/text/HomeText.h"
#include "weather/WeatherCodes.h"

#include <algorithm>
#include <cmath>

namespace card_rows {

namespace {

// Rain of this many millimetres an hour or more fills a minute's bar.
constexpr double kHeavyRain = 8.0;
// A wet minute's bar never falls below this, so that light rain still shows.
constexpr double kWetFloor = 0.12;
constexpr double kWetChance = 0.3;
const QString kOpenMeteoLicence = QStringLiteral("CC BY 4.0");

} // namespace

QList<StatCell> heroStats(const Forecast &forecast)
{
    const CurrentWeather &now = forecast.current;
    return {
        { QStringLiteral("drop.fill"), QStringLiteral("DEW POINT"),
            card_text::dewPoint(now.dewPoint, forecast.temperatureUnit) },
        { QStringLiteral("wind"), QStringLiteral("WIND"),
            card_text::wind(now.windSpeed, forecast.windSpeedUnit, now.windDirection) },
        { QStringLiteral("humidity.fill"), QStringLiteral("HUMIDITY"), card_text::humidity(now.humidity) },
        { QStringLiteral("sun.max.fill"), QStringLiteral("UV INDEX"), card_text::uvIndex(now.uvIndex) },
    };
}

QList<HourCell> hourCells(const Forecast &forecast)
{
    QList<HourCell> cells;
    cells.reserve(forecast.hourly.size());
    for (const HourlyWeather &hour : forecast.hourly) {
        cells.append({ weather_codes::hourLabel(hour.time), static_cast<int>(hour.weatherCode), hour.isDay,
            home_text::temperature(hour.temperature), card_text::chance(hour.precipitationProbability) });
    }
    return cells;
}

QList<DayRow> dayRows(const Forecast &forecast)
{
    double lowest = 0;
    double highest = 0;
    for (qsizetype i = 0; i < forecast.daily.size(); ++i) {
        const DailyWeather &day = forecast.daily.at(i);
        lowest = i == 0 ? day.tempMin : std::min(lowest, day.tempMin);
        highest = i == 0 ? day.tempMax : std::max(highest, day.tempMax);
    }
    const double span = highest - lowest;
    const auto place = [&](double value) { return span > 0 ? std::clamp((value - lowest) / span, 0.0, 1.0) : 0.0; };
    QList<DayRow> rows;
    rows.reserve(forecast.daily.size());
    for (qsizetype i = 0; i < forecast.daily.size(); ++i) {
        const DailyWeather &day = forecast.daily.at(i);
        rows.append({ weather_codes::dayLabel(day.date, i), static_cast<int>(day.weatherCode),
            card_text::chance(day.precipitationProbabilityMax), home_text::temperature(day.tempMin),
            home_text::temperature(day.tempMax), place(day.tempMin), span > 0 ? place(day.tempMax) : 1.0 });
    }
    return rows;
}

AlertRow alertRow(const NwsAlert &alert, const QString &timezone)
{
    return { alert.id, alert.event, card_text::strongAlert(alert.severity), alert.headline.value_or(QString()),
        card_text::unwrapped(alert.description), card_text::unwrapped(alert.instruction.value_or(QString())),
        card_text::alertTime(alert.onset, timezone), card_text::alertTime(alert.ends, timezone) };
}

QList<MinuteBar> minuteBars(const NextHourNowcast &nowcast)
{
    QList<MinuteBar> bars;
    bars.reserve(nowcast.minutes.size());
    for (const NowcastMinute &minute : nowcast.minutes) {
        const double chance = std::clamp(minute.chance, 0.0, 1.0);
        double level = std::clamp(minute.intensity / kHeavyRain, 0.0, 1.0);
        if (chance >= kWetChance) {
            level = std::max(level, kWetFloor);
        }
        bars.append({ level, chance });
    }
    return bars;
}

QList<Credit> credits(const CreditInputs &in)
{
    QList<Credit> out { { QStringLiteral("Weather data by Open-Meteo"), QStringLiteral("https://open-meteo.com/"),
        QStringLiteral("Weather data by Open-Meteo. Opens Open-Meteo's website."), kOpenMeteoLicence } };
    const bool usBriefing = in.aiBriefingShown && in.country == QStringLiteral("United States");
    if (in.alertsShown || usBriefing) {
        out.append({ QStringLiteral("Alerts and bulletins by the National Weather Service"),
            QStringLiteral("https://www.weather.gov/"),
            QStringLiteral("Alerts and bulletins by the National Weather Service. Opens the National Weather "
                           "Service's website."),
            QString() });
    }
    if (usBriefing) {
        out.append({ QStringLiteral("Storm outlooks by the Storm Prediction Center"),
            QStringLiteral("https://www.spc.noaa.gov/"),
            QStringLiteral("Storm outlooks by the Storm Prediction Center. Opens the Storm Prediction Center's "
                           "website."),
            QString() });
    }
    return out;
}

Credit openMeteoMark()
{
    return { QStringLiteral("Open-Meteo"), QStringLiteral("https://open-meteo.com/"),
        QStringLiteral("Open-Meteo. Opens Open-Meteo's website."), kOpenMeteoLicence };
}

} // namespace card_rows
