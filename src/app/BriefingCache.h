// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ai/BriefingSignature.h"
#include "weather/SavedLocation.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <optional>

class Defaults;

// The last AI briefing, kept across restarts under "cachedBriefing" and tied to the place and
// the settings that change what the model writes by its signature.
struct CachedBriefing
{
    QString text;
    std::optional<QString> suggestedQuestion;
    std::optional<QString> headline;
    QString signature;
    QDateTime generatedAt;

    // "generatedAt" is stored as seconds since 2001-01-01T00:00:00Z, with fractions.
    [[nodiscard]] QJsonObject toJson() const;
    // Requires "text", "signature" and "generatedAt"; the two optional keys may be missing or null.
    [[nodiscard]] static std::optional<CachedBriefing> fromJson(const QJsonValue &value);

    [[nodiscard]] static std::optional<CachedBriefing> load(const Defaults &defaults);
    static void save(Defaults &defaults, const CachedBriefing &record);

    bool operator==(const CachedBriefing &) const = default;
};
