// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BriefingCache.h"

#include "platform/Defaults.h"

#include <QJsonDocument>

#include <cmath>

namespace {

// 2001-01-01T00:00:00Z in seconds since the Unix epoch.
constexpr double kReferenceDateOffset = 978307200.0;

} // namespace

QJsonObject CachedBriefing::toJson() const
{
    QJsonObject object { { QStringLiteral("text"), text }, { QStringLiteral("signature"), signature },
        { QStringLiteral("generatedAt"),
            static_cast<double>(generatedAt.toMSecsSinceEpoch()) / 1000.0 - kReferenceDateOffset } };
    json_form::writeOptionalText(object, QLatin1StringView("suggestedQuestion"), suggestedQuestion);
    json_form::writeOptionalText(object, QLatin1StringView("headline"), headline);
    return object;
}

std::optional<CachedBriefing> CachedBriefing::fromJson(const QJsonValue &value)
{
    if (!value.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = value.toObject();
    CachedBriefing record;
    double seconds = 0;
    if (!json_form::readRequiredText(object, QLatin1StringView("text"), record.text)
        || !json_form::readRequiredText(object, QLatin1StringView("signature"), record.signature)
        || !json_form::readRequiredNumber(object, QLatin1StringView("generatedAt"), seconds)
        || !json_form::readOptionalText(object, QLatin1StringView("suggestedQuestion"), record.suggestedQuestion)
        || !json_form::readOptionalText(object, QLatin1StringView("headline"), record.headline)) {
        return std::nullopt;
    }
    const double msecs = std::round((seconds + kReferenceDateOffset) * 1000.0);
    if (std::abs(msecs) > 1e16) {
        return std::nullopt;
    }
    record.generatedAt = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(msecs), Qt::UTC);
    return record;
}

std::optional<CachedBriefing> CachedBriefing::load(const Defaults &defaults)
{
    const std::optional<QByteArray> data = defaults.read(setting::cachedBriefing);
    if (!data) {
        return std::nullopt;
    }
    const QJsonDocument document = QJsonDocument::fromJson(*data);
    return document.isObject() ? fromJson(document.object()) : std::nullopt;
}

void CachedBriefing::save(Defaults &defaults, const CachedBriefing &record)
{
    defaults.write(setting::cachedBriefing, QJsonDocument(record.toJson()).toJson(QJsonDocument::Compact));
}
