// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/SavedLocation.h"

#include <QJsonObject>
#include <QString>

#include <optional>

// One hit of the place search. Lists identify it by id.
struct GeoResult
{
    qint64 id = 0;
    QString name;
    std::optional<QString> admin1;
    std::optional<QString> country;
    double latitude = 0;
    double longitude = 0;
    QString timezone;

    [[nodiscard]] SavedLocation toSavedLocation() const;

    [[nodiscard]] QJsonObject toJson() const;
    // Requires "id", "name", "latitude", "longitude" and "timezone".
    [[nodiscard]] static std::optional<GeoResult> fromJson(const QJsonValue &value);

    bool operator==(const GeoResult &) const = default;
};

size_t qHash(const GeoResult &result, size_t seed = 0) noexcept;
