// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BriefingCache.h"
#include "platform/Defaults.h"

#include "TestOutput.h"

#include <QJsonDocument>

#include <clocale>
#include <gtest/gtest.h>

TEST(BriefingCacheTest, SignatureUsesTwoDecimalsInTheCLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const SavedLocation nyc { QStringLiteral("New York"), {}, {}, 40.7128, -74.0060,
        QStringLiteral("America/New_York") };
    EXPECT_EQ(briefingSignature(nyc, true, true, false), QStringLiteral("40.71|-74.01|1|1|0"));
    EXPECT_EQ(briefingSignature(nyc, false, true, true), QStringLiteral("40.71|-74.01|0|1|1"));
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(BriefingCacheTest, StoredWithSecondsSince2001AndReadBack)
{
    test_support::TempDir dir;
    Defaults defaults(dir.filePath(QStringLiteral("s.conf")));
    EXPECT_FALSE(CachedBriefing::load(defaults).has_value());

    const CachedBriefing record { QStringLiteral("Sunny and warm."), std::nullopt, QStringLiteral("Warm"),
        QStringLiteral("40.71|-74.01|1|1|0"),
        QDateTime::fromString(QStringLiteral("2026-01-01T00:00:00.5Z"), Qt::ISODateWithMs) };
    CachedBriefing::save(defaults, record);
    const QJsonObject stored = QJsonDocument::fromJson(*defaults.dataValue(QStringLiteral("cachedBriefing"))).object();
    EXPECT_DOUBLE_EQ(stored[QStringLiteral("generatedAt")].toDouble(), 788918400.5);
    EXPECT_FALSE(stored.contains(QStringLiteral("suggestedQuestion")));
    EXPECT_EQ(CachedBriefing::load(defaults), record);

    // Foreign or corrupt values read as absent.
    defaults.setData(QStringLiteral("cachedBriefing"), R"({"text":"x","signature":"s"})");
    EXPECT_FALSE(CachedBriefing::load(defaults).has_value());
    defaults.setData(
        QStringLiteral("cachedBriefing"), R"({"text":"x","signature":"s","generatedAt":1,"headline":null})");
    ASSERT_TRUE(CachedBriefing::load(defaults).has_value());
    EXPECT_FALSE(CachedBriefing::load(defaults)->headline.has_value());
    defaults.setData(QStringLiteral("cachedBriefing"), "garbage");
    EXPECT_FALSE(CachedBriefing::load(defaults).has_value());
}
