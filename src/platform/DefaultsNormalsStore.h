// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/ClimateNormalsStore.h"

class Defaults;

// Keeps the climate normals in the user defaults under "climateNormals".
class DefaultsNormalsStore final : public ClimateNormalsStore
{
public:
    explicit DefaultsNormalsStore(Defaults &defaults);
    [[nodiscard]] std::optional<QByteArray> load() const override;
    void save(const QByteArray &json) override;

private:
    Defaults &m_defaults;
};
