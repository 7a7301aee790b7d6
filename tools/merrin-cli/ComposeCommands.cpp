// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli compose LAT LON TZ [--celsius] [--kmh]
// merrin-cli compose --input FILE
#include "CliContext.h"

#include "app/LiveSources.h"
#include "composer/LocalBriefing.h"
#include "net/AppError.h"
#include "net/Captured.h"
#include "net/JsonReaders.h"
#include "platform/Defaults.h"

#include <QDir>

#include <QFile>

namespace {

ComposerInputs readInputs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(QStringLiteral("Cannot read ") + path + QStringLiteral(": ") + file.errorString());
    }
    // Errors name the file: nothing here came from a server.
    QJsonValue value;
    try {
        value = json::parse(file.readAll());
    } catch (const JsonError &error) {
        throw AppError(path + QStringLiteral(" is not JSON: ") + error.parserMessage());
    }
    if (!value.isObject()) {
        throw AppError(path + QStringLiteral(" is not a JSON object of saved inputs."));
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
        // The four inputs are fetched together, as a refresh of the app does.
        Defaults defaults(QDir(context.stateDir).filePath(QStringLiteral("MerrinVale.conf")));
        LiveSources sources(*context.network, context.endpoints, defaults, *context.clock);
        const SavedLocation place { QStringLiteral("Here"), std::nullopt, std::nullopt, latitude, longitude, zone };
        auto forecastTask = sources.fetchForecast(
            place, !context.flag(QStringLiteral("celsius")), !context.flag(QStringLiteral("kmh")));
        auto alertsTask = sources.activeAlerts(latitude, longitude);
        auto nowcastTask = sources.nextHourNowcast(latitude, longitude, zone);
        auto normalsTask = sources.loadNormals(latitude, longitude, zone);
        net::Captured<Forecast> forecast = co_await net::capture(std::move(forecastTask));
        inputs.alerts = co_await std::move(alertsTask);
        inputs.nowcast = co_await std::move(nowcastTask);
        inputs.normals = co_await std::move(normalsTask);
        inputs.forecast = forecast.take();
    }
    printText(composer::composeReport(inputs).chopped(1));
    co_return 0;
}

const CliRegistration registration(QStringLiteral("compose"),
    { QStringLiteral("compose LAT LON TZ [--celsius] [--kmh] | compose --input FILE"),
        { QStringLiteral("celsius"), QStringLiteral("kmh") }, { QStringLiteral("input") }, compose });

} // namespace
