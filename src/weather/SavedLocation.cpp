// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/SavedLocation.h"

#include <cmath>

namespace json_form {

bool readOptionalText(const QJsonObject &object, QLatin1StringView key, std::optional<QString> &out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull()) {
        out.reset();
        return true;
    }
    if (!value.isString()) {
        return false;
    }
    out = value.toString();
    return true;
}

bool readRequiredText(const QJsonObject &object, QLatin1StringView key, QString &out)
{
    const QJsonValue value = object.value(key);
    if (!value.isString()) {
        return false;
    }
    out = value.toString();
    return true;
}

bool readRequiredNumber(const QJsonObject &object, QLatin1StringView key, double &out)
{
    const QJsonValue value = object.value(key);
    if (!value.isDouble() || !std::isfinite(value.toDouble())) {
        return false;
    }
    out = value.toDouble();
    return true;
}

void writeOptionalText(QJsonObject &object, QLatin1StringView key, const std::optional<QString> &value)
{
    if (value) {
        object.insert(key, *value);
    }
}

size_t hashNumber(double value, size_t seed) noexcept
{
    return qHash(value == 0.0 ? 0.0 : value, seed);
}

} // namespace json_form

QString SavedLocation::displayLabel() const
{
    return admin1 ? name + QStringLiteral(", ") + *admin1 : name;
}

bool SavedLocation::isSamePlace(const SavedLocation &other) const
{
    // Coordinates are decimal degrees held in binary: 8.001 - 8 comes out a hair under 0.001.
    // Differences within rounding of a thousandth count as a thousandth, so places 0.001°
    // apart are always different places, whatever their values.
    constexpr double limit = 0.001 - 1e-9;
    return std::abs(latitude - other.latitude) < limit && std::abs(longitude - other.longitude) < limit;
}

QJsonObject SavedLocation::toJson() const
{
    QJsonObject object;
    object.insert(QLatin1StringView("name"), name);
    json_form::writeOptionalText(object, QLatin1StringView("admin1"), admin1);
    json_form::writeOptionalText(object, QLatin1StringView("country"), country);
    object.insert(QLatin1StringView("latitude"), latitude);
    object.insert(QLatin1StringView("longitude"), longitude);
    object.insert(QLatin1StringView("timezone"), timezone);
    return object;
}

std::optional<SavedLocation> SavedLocation::fromJson(const QJsonValue &value)
{
    if (!value.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    SavedLocation location;
    using namespace json_form;
    if (!readRequiredText(object, QLatin1StringView("name"), location.name)
        || !readOptionalText(object, QLatin1StringView("admin1"), location.admin1)
        || !readOptionalText(object, QLatin1StringView("country"), location.country)
        || !readRequiredNumber(object, QLatin1StringView("latitude"), location.latitude)
        || !readRequiredNumber(object, QLatin1StringView("longitude"), location.longitude)
        || !readRequiredText(object, QLatin1StringView("timezone"), location.timezone)) {
        return std::nullopt;
    }
    return location;
}

size_t qHash(const SavedLocation &location, size_t seed) noexcept
{
    seed = qHashMulti(seed, location.name, location.admin1.has_value(), location.admin1.value_or(QString()),
        location.country.has_value(), location.country.value_or(QString()), location.timezone);
    seed = json_form::hashNumber(location.latitude, seed);
    return json_form::hashNumber(location.longitude, seed);
}
