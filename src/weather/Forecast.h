// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

// One parsed forecast. Values are in the units the forecast was requested in (°F, mph and
// inches, or °C, km/h and mm). Times are the service's local wall-clock text in the forecast's
// zone: "yyyy-MM-dd'T'HH:mm" for instants, "yyyy-MM-dd" for days.

struct CurrentWeather
{
    QString time; // empty when the reply lacks it
    double temperature = 0;
    double apparentTemperature = 0;
    qint64 weatherCode = 0;
    bool isDay = false;
    double windSpeed = 0;
    double windDirection = 0;
    double windGusts = 0;
    double humidity = 0;
    double dewPoint = 0;
    double cloudCover = 0;
    double precipitation = 0;
    double uvIndex = 0;

    bool operator==(const CurrentWeather &) const = default;
};

struct HourlyWeather
{
    QString time;
    double temperature = 0;
    double apparentTemperature = 0;
    qint64 weatherCode = 0;
    double precipitationProbability = 0;
    double precipitation = 0;
    std::optional<double> dewPoint; // the only forecast number that may be absent
    double humidity = 0;
    double cloudCover = 0;
    double windSpeed = 0;
    double windGusts = 0;
    bool isDay = false;

    bool operator==(const HourlyWeather &) const = default;
};

struct DailyWeather
{
    QString date;
    qint64 weatherCode = 0;
    double tempMax = 0;
    double tempMin = 0;
    double apparentMax = 0;
    double apparentMin = 0;
    double precipitationProbabilityMax = 0;
    double precipitationSum = 0;
    double rainSum = 0;
    double snowfallSum = 0;
    double precipitationHours = 0;
    double windSpeedMax = 0;
    double windGustsMax = 0;
    double uvIndexMax = 0;
    QString sunrise; // empty when missing
    QString sunset; // empty when missing

    bool operator==(const DailyWeather &) const = default;
};

struct Forecast
{
    CurrentWeather current;
    QList<DailyWeather> daily; // today first, up to 7 entries
    QList<HourlyWeather> hourly; // up to 48 entries from the first hour not before current.time
    std::optional<DailyWeather> yesterday;
    QString temperatureUnit; // "°F" or "°C"
    QString windSpeedUnit; // "mph" or "km/h"
    QString timezone;

    bool operator==(const Forecast &) const = default;
};
