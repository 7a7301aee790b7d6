// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHashFunctions>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>

// A place the app shows weather for. Its JSON form is what the settings keep for the last
// place, the favourites and the recent places.
struct SavedLocation
{
    QString name;
    std::optional<QString> admin1;
    std::optional<QString> country;
    double latitude = 0;
    double longitude = 0;
    QString timezone; // IANA id; empty asks the forecast service to choose ("auto")

    // "Name" or "Name, Region" (the country is never part of it).
    [[nodiscard]] QString displayLabel() const;

    // Two places are the same place when both coordinates differ by less than 0.001°.
    [[nodiscard]] bool isSamePlace(const SavedLocation &other) const;

    [[nodiscard]] QJsonObject toJson() const;
    // Requires "name", "latitude", "longitude" and "timezone"; "admin1" and "country" may be
    // missing or null. Anything else gives nothing.
    [[nodiscard]] static std::optional<SavedLocation> fromJson(const QJsonValue &value);

    bool operator==(const SavedLocation &) const = default;
};

size_t qHash(const SavedLocation &location, size_t seed = 0) noexcept;

namespace json_form {

// Shared by the records' JSON decoders. An optional text field: missing or null is absent,
// a string is present, anything else makes the record undecodable.
[[nodiscard]] bool readOptionalText(const QJsonObject &object, QLatin1StringView key, std::optional<QString> &out);
[[nodiscard]] bool readRequiredText(const QJsonObject &object, QLatin1StringView key, QString &out);
[[nodiscard]] bool readRequiredNumber(const QJsonObject &object, QLatin1StringView key, double &out);
void writeOptionalText(QJsonObject &object, QLatin1StringView key, const std::optional<QString> &value);
// A hash of a double in which 0.0 and -0.0 agree.
[[nodiscard]] size_t hashNumber(double value, size_t seed) noexcept;

} // namespace json_form
