// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppSources.h"
#include "net/Endpoints.h"
#include "weather/ForecastService.h"

class Clock;
class Defaults;
class QNetworkAccessManager;

// The real services behind the app model.
class LiveSources : public AppSources
{
public:
    LiveSources(QNetworkAccessManager &network, const Endpoints &endpoints, Defaults &defaults, const Clock &clock);

    [[nodiscard]] QCoro::Task<Forecast> fetchForecast(SavedLocation place, bool fahrenheit, bool mph) override;

private:
    ForecastService m_forecasts;
};
