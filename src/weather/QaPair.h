// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>

// One turn of the Ask conversation.
struct QaPair
{
    QString question;
    QString answer;

    [[nodiscard]] QJsonObject toJson() const;
    // Requires both "question" and "answer" as text.
    [[nodiscard]] static std::optional<QaPair> fromJson(const QJsonValue &value);

    bool operator==(const QaPair &) const = default;
};
