// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

// One area of a convective-outlook file, read from its GeoJSON feature once, so that testing a
// place against it is cheap. Coordinates are (longitude, latitude) as GeoJSON writes them.
struct SpcOutlookArea
{
    struct Ring
    {
        std::vector<double> x; // longitudes
        std::vector<double> y; // latitudes
        double minX = 0, maxX = 0, minY = 0, maxY = 0;

        // Whether a place outside this box: the ring then flips the even-odd answer an even
        // number of times (or never), so it can be passed over.
        [[nodiscard]] bool boxExcludes(double px, double py) const
        {
            return px > maxX || px < minX || py < minY || py >= maxY;
        }
    };

    qint64 dn = 0; // "DN", truncated; 0 when missing or not a number
    std::optional<QString> code; // "LABEL"; absent when it or "properties" is missing
    std::optional<QString> label; // "LABEL2" when it is text
    std::vector<Ring> rings; // every ring of every member polygon, pooled

    // Even-odd test over all rings at once: a hole flips the answer back, so a place inside a
    // hole is outside; ring orientation plays no part.
    [[nodiscard]] bool contains(double longitude, double latitude) const;

    // The area of a feature whose geometry is a Polygon or a MultiPolygon; absent for any other
    // or a missing geometry. Positions with fewer than two numbers drop out of their ring.
    [[nodiscard]] static std::optional<SpcOutlookArea> fromFeature(const QJsonObject &feature);

    // The areas of an outlook file. Throws JsonError when the body is not JSON and
    // HttpError::badResponse when it is not an object; a file without "features" has none.
    [[nodiscard]] static QList<SpcOutlookArea> parseOutlook(const QByteArray &body);
};

// The even-odd rule on the pooled rings, walking every edge (no bounding-box shortcut).
[[nodiscard]] bool evenOddContains(const std::vector<SpcOutlookArea::Ring> &rings, double x, double y);
