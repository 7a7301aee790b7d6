// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DefaultsNormalsStore.h"

#include "platform/Defaults.h"

DefaultsNormalsStore::DefaultsNormalsStore(Defaults &defaults)
    : m_defaults(defaults)
{ }

std::optional<QByteArray> DefaultsNormalsStore::load() const
{
    return m_defaults.read(setting::climateNormals);
}

void DefaultsNormalsStore::save(const QByteArray &json)
{
    m_defaults.write(setting::climateNormals, json);
}
