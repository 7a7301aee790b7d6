// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli summary LAT LON TZ [--celsius] [--kmh]   the forecast text block the model reads
// merrin-cli nowcast LAT LON TZ                       the next-hour nowcast as JSON, then its model text
// merrin-cli normals LAT LON TZ                       the climate normals as JSON (kept in --state)
#include "CliContext.h"

#include "platform/Defaults.h"
#include "platform/DefaultsNormalsStore.h"
#include "platform/MinuteForecastSource.h"
#include "weather/ClimateNormalsService.h"
#include "weather/ForecastService.h"
#include "weather/NowcastService.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonValue nowcastJson(const std::optional<NextHourNowcast> &nowcast)
{
    if (!nowcast) {
        return QJsonValue(QJsonValue::Null);
    }
    QJsonArray minutes;
    for (const NowcastMinute &minute : nowcast->minutes) {
        minutes.append(QJsonObject { { QStringLiteral("date"), minute.date.toUTC().toString(Qt::ISODate) },
            { QStringLiteral("chance"), minute.chance }, { QStringLiteral("intensity"), minute.intensity } });
    }
    return QJsonObject { { QStringLiteral("minutes"), minutes }, { QStringLiteral("summary"), nowcast->summary } };
}

QCoro::Task<int> summary(CliContext &context)
{
    const double latitude = context.number(0, "LAT");
    const double longitude = context.number(1, "LON");
    const QString zone = context.arg(2, "TZ");
    ForecastService service(*context.network, context.endpoints);
    printText(co_await service.forecastSummary(
        latitude, longitude, zone, !context.flag(QStringLiteral("celsius")), !context.flag(QStringLiteral("kmh"))));
    co_return 0;
}

QCoro::Task<int> nowcast(CliContext &context)
{
    const double latitude = context.number(0, "LAT");
    const double longitude = context.number(1, "LON");
    const QString zone = context.arg(2, "TZ");
    MinuteForecastSource source(*context.network, context.endpoints, *context.clock);
    NowcastService service(source, *context.clock);
    printJson(nowcastJson(co_await service.nextHourNowcast(latitude, longitude, zone)));
    // The reading is cached, so the text comes from the same reply.
    if (const auto text = co_await service.nowcastText(latitude, longitude, zone)) {
        printText(*text);
    }
    co_return 0;
}

QCoro::Task<int> normals(CliContext &context)
{
    const double latitude = context.number(0, "LAT");
    const double longitude = context.number(1, "LON");
    const QString zone = context.arg(2, "TZ");
    Defaults defaults(QDir(context.stateDir).filePath(QStringLiteral("MerrinVale.conf")));
    DefaultsNormalsStore store(defaults);
    ClimateNormalsService service(*context.network, context.endpoints, *context.clock, store);
    const std::optional<ClimateNormals> result = co_await service.loadNormals(latitude, longitude, zone);
    printJson(result ? QJsonValue(result->toJson()) : QJsonValue(QJsonValue::Null));
    co_return 0;
}

const CliRegistration summaryRegistration(QStringLiteral("summary"),
    { QStringLiteral("summary LAT LON TZ [--celsius] [--kmh]"), { QStringLiteral("celsius"), QStringLiteral("kmh") },
        {}, summary });
const CliRegistration nowcastRegistration(
    QStringLiteral("nowcast"), { QStringLiteral("nowcast LAT LON TZ"), {}, {}, nowcast });
const CliRegistration normalsRegistration(
    QStringLiteral("normals"), { QStringLiteral("normals LAT LON TZ"), {}, {}, normals });

} // namespace
