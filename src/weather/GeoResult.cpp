// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/GeoResult.h"

#include <cmath>

SavedLocation GeoResult::toSavedLocation() const
{
    return SavedLocation { name, admin1, country, latitude, longitude, timezone };
}

QJsonObject GeoResult::toJson() const
{
    QJsonObject object;
    object.insert(QLatin1StringView("id"), id);
    object.insert(QLatin1StringView("name"), name);
    json_form::writeOptionalText(object, QLatin1StringView("admin1"), admin1);
    json_form::writeOptionalText(object, QLatin1StringView("country"), country);
    object.insert(QLatin1StringView("latitude"), latitude);
    object.insert(QLatin1StringView("longitude"), longitude);
    object.insert(QLatin1StringView("timezone"), timezone);
    return object;
}

std::optional<GeoResult> GeoResult::fromJson(const QJsonValue &value)
{
    if (!value.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    const QJsonValue id = object.value(QLatin1StringView("id"));
    if (!id.isDouble() || std::trunc(id.toDouble()) != id.toDouble()) {
        return std::nullopt; // an id must be a whole number
    }
    GeoResult result;
    result.id = id.toInteger(static_cast<qint64>(id.toDouble()));
    using namespace json_form;
    if (!readRequiredText(object, QLatin1StringView("name"), result.name)
        || !readOptionalText(object, QLatin1StringView("admin1"), result.admin1)
        || !readOptionalText(object, QLatin1StringView("country"), result.country)
        || !readRequiredNumber(object, QLatin1StringView("latitude"), result.latitude)
        || !readRequiredNumber(object, QLatin1StringView("longitude"), result.longitude)
        || !readRequiredText(object, QLatin1StringView("timezone"), result.timezone)) {
        return std::nullopt;
    }
    return result;
}

size_t qHash(const GeoResult &result, size_t seed) noexcept
{
    seed = qHashMulti(seed, result.id, result.name, result.admin1.has_value(), result.admin1.value_or(QString()),
        result.country.has_value(), result.country.value_or(QString()), result.timezone);
    seed = json_form::hashNumber(result.latitude, seed);
    return json_form::hashNumber(result.longitude, seed);
}
