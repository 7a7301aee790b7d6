// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/Forecast.h"

#include <QString>

// What the home screen writes, as plain functions of the model's values.
namespace home_text {

// Rounded to the nearest whole degree, halves away from zero, followed by "°" (71.5 → "72°").
[[nodiscard]] QString temperature(double value);

// "Feels like 68°", with " · H:75° L:58°" when the forecast has an entry for today.
[[nodiscard]] QString feelsLikeLine(const Forecast &forecast);

enum class ScreenState {
    FindingLocation, // "Finding your location…"
    LoadingForecast, // "Loading the forecast…"
    NoLocation, // "No location set"
    Failed, // "Failed to load forecast"
    Cards,
};

struct ScreenInputs
{
    bool hasLocation = false;
    bool locationLoading = false;
    bool hasForecast = false;
    bool forecastLoading = false;
    bool hasForecastError = false;
};

[[nodiscard]] ScreenState screenState(const ScreenInputs &inputs);
// The message shown for a state without cards (empty for Cards).
[[nodiscard]] QString screenMessage(ScreenState state);

} // namespace home_text
