// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>

// Where the computed climate normals are kept between runs: one JSON value (signature to
// normals). The platform layer keeps it in the user defaults under "climateNormals".
class ClimateNormalsStore
{
public:
    virtual ~ClimateNormalsStore() = default;
    [[nodiscard]] virtual std::optional<QByteArray> load() const = 0;
    virtual void save(const QByteArray &json) = 0;
};
