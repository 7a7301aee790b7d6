// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/ClimateNormals.h"

#include <QJsonValue>

#include <cmath>

namespace {

QJsonObject mapJson(const QMap<QString, double> &map)
{
    QJsonObject object;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        object.insert(it.key(), it.value());
    }
    return object;
}

bool readMap(const QJsonValue &value, QMap<QString, double> &out)
{
    if (!value.isObject()) {
        return false;
    }
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isDouble() || !std::isfinite(it.value().toDouble())) {
            return false;
        }
        out.insert(it.key(), it.value().toDouble());
    }
    return true;
}

} // namespace

QJsonObject ClimateNormals::toJson() const
{
    return QJsonObject { { QStringLiteral("highs"), mapJson(highs) }, { QStringLiteral("lows"), mapJson(lows) },
        { QStringLiteral("signature"), signature }, { QStringLiteral("computedYear"), computedYear } };
}

std::optional<ClimateNormals> ClimateNormals::fromJson(const QJsonValue &value)
{
    if (!value.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    ClimateNormals normals;
    const QJsonValue signature = object.value(QLatin1StringView("signature"));
    const QJsonValue year = object.value(QLatin1StringView("computedYear"));
    if (!readMap(object.value(QLatin1StringView("highs")), normals.highs)
        || !readMap(object.value(QLatin1StringView("lows")), normals.lows) || !signature.isString() || !year.isDouble()
        || std::trunc(year.toDouble()) != year.toDouble()) {
        return std::nullopt;
    }
    normals.signature = signature.toString();
    normals.computedYear = static_cast<qint64>(year.toDouble());
    return normals;
}
