// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli locate          the current place from IP geolocation and the reverse geocoder
// merrin-cli search QUERY    the place search's hits
#include "CliContext.h"

#include "location/GeocodingService.h"
#include "location/LocationProvider.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// Record fields in the tool's form: absent values as null.
QJsonObject withNulls(QJsonObject object)
{
    for (const char *key : { "admin1", "country" }) {
        if (!object.contains(QLatin1StringView(key))) {
            object.insert(QLatin1StringView(key), QJsonValue::Null);
        }
    }
    return object;
}

QCoro::Task<int> locate(CliContext &context)
{
    if (!context.args.isEmpty()) {
        throw UsageError("locate takes no arguments");
    }
    // The tool never asks the device for its position: IP geolocation answers.
    LocationProvider provider(*context.network, context.endpoints, nullptr);
    const SavedLocation place = co_await provider.resolveCurrentLocation();
    printJson(withNulls(place.toJson()));
    co_return 0;
}

QCoro::Task<int> search(CliContext &context)
{
    const QString query = context.args.join(QLatin1Char(' '));
    if (query.isEmpty()) {
        throw UsageError("search needs a QUERY");
    }
    GeocodingService service(*context.network, context.endpoints);
    QJsonArray hits;
    for (const GeoResult &hit : co_await service.searchLocations(query)) {
        hits.append(withNulls(hit.toJson()));
    }
    printJson(hits);
    co_return 0;
}

const CliRegistration locateRegistration(QStringLiteral("locate"), { QStringLiteral("locate"), {}, {}, locate });
const CliRegistration searchRegistration(QStringLiteral("search"), { QStringLiteral("search QUERY"), {}, {}, search });

} // namespace
