// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHashFunctions>
#include <QString>

#include <optional>

// One active National Weather Service alert. Lists identify it by id.
struct NwsAlert
{
    QString id;
    QString event;
    QString severity; // as issued: "Extreme", "Severe", "Moderate", "Minor", "Unknown"
    std::optional<QString> headline;
    QString description;
    std::optional<QString> instruction;
    std::optional<QString> onset; // ISO 8601 text as issued
    std::optional<QString> ends; // ISO 8601 text as issued
    QString senderName;
    QString areaDesc;

    bool operator==(const NwsAlert &) const = default;
};

inline size_t qHash(const NwsAlert &a, size_t seed = 0) noexcept
{
    const auto opt = [](const std::optional<QString> &v) { return v ? QStringLiteral("1") + *v : QStringLiteral("0"); };
    return qHashMulti(seed, a.id, a.event, a.severity, opt(a.headline), a.description, opt(a.instruction), opt(a.onset),
        opt(a.ends), a.senderName, a.areaDesc);
}

// Ordering of alerts, most severe first: "Extreme" 0, "Severe" 1, "Moderate" 2, "Minor" 3,
// anything else ("Unknown" included) 4.
[[nodiscard]] inline int alertSeverityRank(const QString &severity)
{
    if (severity == QLatin1StringView("Extreme")) {
        return 0;
    }
    if (severity == QLatin1StringView("Severe")) {
        return 1;
    }
    if (severity == QLatin1StringView("Moderate")) {
        return 2;
    }
    if (severity == QLatin1StringView("Minor")) {
        return 3;
    }
    return 4;
}
