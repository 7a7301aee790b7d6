// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli compose LAT LON TZ [--celsius] [--kmh]
// merrin-cli compose --input FILE
#include "CliContext.h"

#include "composer/LocalBriefing.h"
#include "net/AppError.h"
#include "net/JsonReaders.h"
#include "weather/ForecastService.h"

#include <QFile>

namespace {

ComposerInputs readInputs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(QStringLiteral("Cannot read ") + path + QStringLiteral(": ") + file.errorString());
    }
    const QJsonValue value = json::parse(file.readAll());
    if (!value.isObject()) {
        throw AppError(QStringLiteral("Saved inputs must be a JSON object."));
    }
    return composer::composerInputsFromJson(value.toObject());
}

QCoro::Task<int> compose(CliContext &context)
{
    ComposerInputs inputs;
    if (context.options.contains(QStringLiteral("input"))) {
        if (!context.args.isEmpty()) {
            throw UsageError("compose takes either --input FILE or LAT LON TZ");
        }
        inputs = readInputs(context.options.value(QStringLiteral("input")));
    } else {
        const double latitude = context.number(0, "LAT");
        const double longitude = context.number(1, "LON");
        const QString zone = context.arg(2, "TZ");
        ForecastService service(*context.network, context.endpoints);
        // Only the forecast is fetched here: alerts stay empty, nowcast and normals absent.
        inputs.forecast = co_await service.fetchForecast(
            latitude, longitude, zone, !context.flag(QStringLiteral("celsius")), !context.flag(QStringLiteral("kmh")));
    }
    printText(composer::composeReport(inputs).chopped(1));
    co_return 0;
}

const CliRegistration registration(QStringLiteral("compose"),
    { QStringLiteral("compose LAT LON TZ [--celsius] [--kmh] | compose --input FILE"),
        { QStringLiteral("celsius"), QStringLiteral("kmh") }, { QStringLiteral("input") }, compose });

} // namespace
