// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/QaPair.h"

#include "weather/SavedLocation.h"

QJsonObject QaPair::toJson() const
{
    return QJsonObject { { QStringLiteral("question"), question }, { QStringLiteral("answer"), answer } };
}

std::optional<QaPair> QaPair::fromJson(const QJsonValue &value)
{
    if (!value.isObject()) {
        return std::nullopt;
    }
    QaPair pair;
    const QJsonObject object = value.toObject();
    if (!json_form::readRequiredText(object, QLatin1StringView("question"), pair.question)
        || !json_form::readRequiredText(object, QLatin1StringView("answer"), pair.answer)) {
        return std::nullopt;
    }
    return pair;
}
