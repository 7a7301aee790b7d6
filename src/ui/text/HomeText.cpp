// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text/HomeText.h"

#include <cmath>

namespace home_text {

QString temperature(double value)
{
    const double rounded = std::round(value); // halves away from zero
    return QString::number(rounded == 0.0 ? 0 : static_cast<qint64>(rounded)) + QStringLiteral("°");
}

QString feelsLikeLine(const Forecast &forecast)
{
    QString line = QStringLiteral("Feels like ") + temperature(forecast.current.apparentTemperature);
    const QString today = forecast.current.time.left(10);
    for (const DailyWeather &day : forecast.daily) {
        if (day.date == today) {
            line +=
                QStringLiteral(" · H:") + temperature(day.tempMax) + QStringLiteral(" L:") + temperature(day.tempMin);
            break;
        }
    }
    return line;
}

ScreenState screenState(const ScreenInputs &in)
{
    if (in.hasForecast) {
        return ScreenState::Cards;
    }
    if (in.locationLoading) {
        return ScreenState::FindingLocation;
    }
    if (!in.hasLocation) {
        return ScreenState::NoLocation;
    }
    if (in.hasForecastError && !in.forecastLoading) {
        return ScreenState::Failed;
    }
    return ScreenState::LoadingForecast;
}

QString screenMessage(ScreenState state)
{
    switch (state) {
    case ScreenState::FindingLocation:
        return QStringLiteral("Finding your location…");
    case ScreenState::LoadingForecast:
        return QStringLiteral("Loading the forecast…");
    case ScreenState::NoLocation:
        return QStringLiteral("No location set");
    case ScreenState::Failed:
        return QStringLiteral("Failed to load forecast");
    case ScreenState::Cards:
        break;
    }
    return {};
}

} // namespace home_text
