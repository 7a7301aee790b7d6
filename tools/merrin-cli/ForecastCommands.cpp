// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli forecast LAT LON TZ [--celsius] [--kmh]
#include "CliContext.h"

#include "weather/ForecastJson.h"
#include "weather/ForecastService.h"

namespace {

QCoro::Task<int> forecast(CliContext &context)
{
    const double latitude = context.number(0, "LAT");
    const double longitude = context.number(1, "LON");
    const QString zone = context.arg(2, "TZ");
    ForecastService service(*context.network, context.endpoints);
    const Forecast result = co_await service.fetchForecast(
        latitude, longitude, zone, !context.flag(QStringLiteral("celsius")), !context.flag(QStringLiteral("kmh")));
    printJson(forecast_json::toJson(result));
    co_return 0;
}

const CliRegistration registration(QStringLiteral("forecast"),
    { QStringLiteral("forecast LAT LON TZ [--celsius] [--kmh]"), { QStringLiteral("celsius"), QStringLiteral("kmh") },
        {}, forecast });

} // namespace
