// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WeatherSymbols.h"

#include "weather/WeatherCodes.h"

QString WeatherSymbols::symbol(int code, bool isDay)
{
    return weather_codes::cardLabel(code, isDay).symbol;
}
