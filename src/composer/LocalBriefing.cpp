// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/LocalBriefing.h"

#include "composer/BriefingComposer.h"
#include "net/AppError.h"
#include "net/JsonReaders.h"
#include "weather/ForecastJson.h"

#include <QJsonArray>

namespace composer {
namespace {

bool isMissing(const QJsonValue &value)
{
    return value.isUndefined() || value.isNull();
}

AppError badMember(const QString &what)
{
    return AppError(QStringLiteral("Saved inputs: ") + what);
}

std::optional<QString> optionalText(const QJsonObject &object, QLatin1StringView key)
{
    return json::text(object, key);
}

NwsAlert alertFromJson(const QJsonObject &object)
{
    NwsAlert alert;
    alert.id = json::text(object, QLatin1StringView("id")).value_or(QString());
    alert.event = json::text(object, QLatin1StringView("event")).value_or(QString());
    alert.severity = json::text(object, QLatin1StringView("severity")).value_or(QString());
    alert.headline = optionalText(object, QLatin1StringView("headline"));
    alert.description = json::text(object, QLatin1StringView("description")).value_or(QString());
    alert.instruction = optionalText(object, QLatin1StringView("instruction"));
    alert.onset = optionalText(object, QLatin1StringView("onset"));
    alert.ends = optionalText(object, QLatin1StringView("ends"));
    alert.senderName = json::text(object, QLatin1StringView("senderName")).value_or(QString());
    alert.areaDesc = json::text(object, QLatin1StringView("areaDesc")).value_or(QString());
    return alert;
}

NextHourNowcast nowcastFromJson(const QJsonObject &object)
{
    NextHourNowcast nowcast;
    nowcast.summary = json::text(object, QLatin1StringView("summary")).value_or(QString());
    for (const QJsonValue &entry : object.value(QLatin1StringView("minutes")).toArray()) {
        const QJsonObject minute = entry.toObject();
        const QDateTime date =
            QDateTime::fromString(minute.value(QLatin1StringView("date")).toString(), Qt::ISODateWithMs);
        if (!date.isValid()) {
            throw badMember(QStringLiteral("a nowcast minute has no valid date."));
        }
        nowcast.minutes.append(NowcastMinute { date, json::number(minute, QLatin1StringView("chance")).value_or(0),
            json::number(minute, QLatin1StringView("intensity")).value_or(0) });
    }
    return nowcast;
}

} // namespace

QString localBriefingText(const Forecast &forecast, const QList<NwsAlert> &alerts,
    const std::optional<NextHourNowcast> &nowcast, const std::optional<ClimateNormals> &normals)
{
    const std::optional<WeatherFeatures> features = extractFeatures(forecast, alerts, nowcast, normals);
    if (!features) {
        return {};
    }
    return selectSentences(candidates(*features)).join(u' ');
}

QString composeReport(const ComposerInputs &inputs)
{
    QString report;
    QString briefing;
    if (const auto features = extractFeatures(inputs.forecast, inputs.alerts, inputs.nowcast, inputs.normals)) {
        const QList<BriefingCandidate> all = candidates(*features);
        for (const BriefingCandidate &c : all) {
            report += categoryName(c.category) + u'\t' + horizonName(c.horizon) + u'\t' + QString::number(c.score)
                + u'\t' + c.text + u'\n';
        }
        briefing = selectSentences(all).join(u' ');
    }
    return report + QStringLiteral("---\n") + briefing + u'\n';
}

ComposerInputs composerInputsFromJson(const QJsonObject &object)
{
    ComposerInputs inputs;
    const QJsonValue forecast = object.value(QLatin1StringView("forecast"));
    if (!isMissing(forecast)) {
        const std::optional<Forecast> parsed = forecast_json::fromJson(forecast);
        if (!parsed) {
            throw badMember(QStringLiteral("\"forecast\" must be an object."));
        }
        inputs.forecast = *parsed;
    }
    const QJsonValue alerts = object.value(QLatin1StringView("alerts"));
    if (!isMissing(alerts)) {
        if (!alerts.isArray()) {
            throw badMember(QStringLiteral("\"alerts\" must be a list."));
        }
        for (const QJsonValue &alert : alerts.toArray()) {
            if (!alert.isObject()) {
                throw badMember(QStringLiteral("every alert must be an object."));
            }
            inputs.alerts.append(alertFromJson(alert.toObject()));
        }
    }
    const QJsonValue nowcast = object.value(QLatin1StringView("nowcast"));
    if (!isMissing(nowcast)) {
        if (!nowcast.isObject()) {
            throw badMember(QStringLiteral("\"nowcast\" must be null or an object."));
        }
        inputs.nowcast = nowcastFromJson(nowcast.toObject());
    }
    const QJsonValue normals = object.value(QLatin1StringView("normals"));
    if (!isMissing(normals)) {
        inputs.normals = ClimateNormals::fromJson(normals);
        if (!inputs.normals) {
            throw badMember(QStringLiteral("\"normals\" must be null or climate normals."));
        }
    }
    return inputs;
}

} // namespace composer
