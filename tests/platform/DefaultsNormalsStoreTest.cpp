// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DefaultsNormalsStore.h"
#include "platform/Defaults.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(DefaultsNormalsStoreTest, KeepsTheMapUnderClimateNormals)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.conf"));
    {
        Defaults defaults(path);
        DefaultsNormalsStore store(defaults);
        EXPECT_FALSE(store.load());
        store.save(QByteArray(R"({"41.9|-87.6":{"computedYear":2026}})"));
    }
    Defaults defaults(path);
    EXPECT_EQ(
        defaults.dataValue(QStringLiteral("climateNormals")), QByteArray(R"({"41.9|-87.6":{"computedYear":2026}})"));
    EXPECT_EQ(DefaultsNormalsStore(defaults).load(), defaults.dataValue(QStringLiteral("climateNormals")));
}
