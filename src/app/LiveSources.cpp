// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LiveSources.h"

LiveSources::LiveSources(QNetworkAccessManager &network, const Endpoints &endpoints, Defaults &, const Clock &)
    : m_forecasts(network, endpoints)
{
}

QCoro::Task<Forecast> LiveSources::fetchForecast(SavedLocation place, bool fahrenheit, bool mph)
{
    co_return co_await m_forecasts.fetchForecast(place.latitude, place.longitude, place.timezone, fahrenheit, mph);
}
