// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DefaultsNormalsStore.h"

#include "platform/Defaults.h"

namespace {

const QString kKey = QStringLiteral("climateNormals");

} // namespace

DefaultsNormalsStore::DefaultsNormalsStore(Defaults &defaults)
    : m_defaults(defaults)
{ }

std::optional<QByteArray> DefaultsNormalsStore::load() const
{
    return m_defaults.dataValue(kKey);
}

void DefaultsNormalsStore::save(const QByteArray &json)
{
    m_defaults.setData(kKey, json);
}
