// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>

#include <optional>

// Smoothed normal daily highs and lows for a place, from ten years of archive data. Always in
// degrees Celsius; keys are "MM-dd" of a common year plus "02-29".
struct ClimateNormals
{
    QMap<QString, double> highs;
    QMap<QString, double> lows;
    QString signature; // "%.1f|%.1f" of latitude and longitude
    qint64 computedYear = 0;

    [[nodiscard]] QJsonObject toJson() const;
    [[nodiscard]] static std::optional<ClimateNormals> fromJson(const QJsonValue &value);

    bool operator==(const ClimateNormals &) const = default;
};
