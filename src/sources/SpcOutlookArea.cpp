// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/SpcOutlookArea.h"

#include "net/JsonReaders.h"

#include <QJsonArray>

#include <algorithm>

namespace {

SpcOutlookArea::Ring readRing(const QJsonValue &value)
{
    SpcOutlookArea::Ring ring;
    if (!value.isArray()) {
        return ring;
    }
    const QJsonArray positions = value.toArray();
    ring.x.reserve(positions.size());
    ring.y.reserve(positions.size());
    for (const QJsonValue position : positions) {
        if (!position.isArray()) {
            continue;
        }
        const QJsonArray pair = position.toArray();
        if (pair.size() < 2 || !pair.at(0).isDouble() || !pair.at(1).isDouble()) {
            continue;
        }
        ring.x.push_back(pair.at(0).toDouble());
        ring.y.push_back(pair.at(1).toDouble());
    }
    if (!ring.x.empty()) {
        const auto [minX, maxX] = std::minmax_element(ring.x.begin(), ring.x.end());
        const auto [minY, maxY] = std::minmax_element(ring.y.begin(), ring.y.end());
        ring.minX = *minX;
        ring.maxX = *maxX;
        ring.minY = *minY;
        ring.maxY = *maxY;
    }
    return ring;
}

void readPolygon(const QJsonValue &value, std::vector<SpcOutlookArea::Ring> &rings)
{
    if (!value.isArray()) {
        return;
    }
    const QJsonArray list = value.toArray();
    for (const QJsonValue ring : list) {
        SpcOutlookArea::Ring read = readRing(ring);
        if (!read.x.empty()) {
            rings.push_back(std::move(read));
        }
    }
}

} // namespace

namespace {

bool flipsOf(const SpcOutlookArea::Ring &ring, double x, double y)
{
    bool inside = false;
    const std::size_t n = ring.x.size();
    if (n == 0) {
        return false;
    }
    std::size_t j = n - 1;
    for (std::size_t i = 0; i < n; j = i++) {
        const double xi = ring.x[i];
        const double yi = ring.y[i];
        const double xj = ring.x[j];
        const double yj = ring.y[j];
        if ((y < yi) != (y < yj) && x < xi + (y - yi) * (xj - xi) / (yj - yi)) {
            inside = !inside;
        }
    }
    return inside;
}

} // namespace

bool evenOddContains(const std::vector<SpcOutlookArea::Ring> &rings, double x, double y)
{
    bool inside = false;
    for (const SpcOutlookArea::Ring &ring : rings) {
        if (flipsOf(ring, x, y)) {
            inside = !inside;
        }
    }
    return inside;
}

bool SpcOutlookArea::contains(double longitude, double latitude) const
{
    // The answer flips once per ring that is crossed an odd number of times; a ring whose box
    // excludes the place is crossed an even number of times (or not at all).
    bool inside = false;
    for (const Ring &ring : rings) {
        if (!ring.boxExcludes(longitude, latitude) && flipsOf(ring, longitude, latitude)) {
            inside = !inside;
        }
    }
    return inside;
}

std::optional<SpcOutlookArea> SpcOutlookArea::fromFeature(const QJsonObject &feature)
{
    const std::optional<QJsonObject> geometry = json::object(feature, QLatin1StringView("geometry"));
    if (!geometry) {
        return std::nullopt;
    }
    const std::optional<QString> type = json::text(*geometry, QLatin1StringView("type"));
    if (!type) {
        return std::nullopt;
    }
    SpcOutlookArea area;
    const QJsonValue coordinates = geometry->value(QLatin1StringView("coordinates"));
    if (*type == QLatin1StringView("Polygon")) {
        readPolygon(coordinates, area.rings);
    } else if (*type == QLatin1StringView("MultiPolygon")) {
        const QJsonArray polygons = coordinates.toArray();
        for (const QJsonValue polygon : polygons) {
            readPolygon(polygon, area.rings);
        }
    } else {
        return std::nullopt;
    }

    if (const std::optional<QJsonObject> properties = json::object(feature, QLatin1StringView("properties"))) {
        area.dn = json::integer(*properties, QLatin1StringView("DN")).value_or(0);
        area.code = json::text(*properties, QLatin1StringView("LABEL"));
        area.label = json::text(*properties, QLatin1StringView("LABEL2"));
    }
    return area;
}

QList<SpcOutlookArea> SpcOutlookArea::parseOutlook(const QByteArray &body)
{
    const QJsonObject root = json::parseObject(body);
    QList<SpcOutlookArea> areas;
    const QJsonArray features = root.value(QLatin1StringView("features")).toArray();
    for (const QJsonValue feature : features) {
        if (!feature.isObject()) {
            continue;
        }
        if (std::optional<SpcOutlookArea> area = fromFeature(feature.toObject())) {
            areas.append(std::move(*area));
        }
    }
    return areas;
}
