// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/GeoResult.h"

#include <cmath>

SavedLocation GeoResult::toSavedLocation() const
{
    return SavedLocation { name, admin1, country, latitude, longitude, timezone };
}

QJsonObject GeoResult::toJson() const
{
    // The place's own form plus the search service's id.
    QJsonObject object = toSavedLocation().toJson();
    object.insert(QLatin1StringView("id"), id);
    return object;
}

std::optional<GeoResult> GeoResult::fromJson(const QJsonValue &value)
{
    const QJsonValue id = value.toObject().value(QLatin1StringView("id"));
    if (!id.isDouble() || std::trunc(id.toDouble()) != id.toDouble()) {
        return std::nullopt; // an id must be a whole number
    }
    const std::optional<SavedLocation> place = SavedLocation::fromJson(value);
    if (!place) {
        return std::nullopt;
    }
    return GeoResult { id.toInteger(static_cast<qint64>(id.toDouble())), place->name, place->admin1, place->country,
        place->latitude, place->longitude, place->timezone };
}

size_t qHash(const GeoResult &result, size_t seed) noexcept
{
    return qHash(result.toSavedLocation(), qHash(result.id, seed));
}
