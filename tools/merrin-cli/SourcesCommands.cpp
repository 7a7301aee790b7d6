// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli alerts LAT LON          the active NWS alerts at the point, as a JSON list
// merrin-cli office LAT LON          the NWS forecast office of the point, or "absent"
// merrin-cli product TYPE OFFICE     the newest AFD or HWO of the office, reduced, as JSON (null when absent)
// merrin-cli outlook LAT LON         the SPC convective outlook as the model reads it, or "absent"
#include "CliContext.h"

#include "sources/NwsService.h"
#include "sources/SpcService.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonValue optionalText(const std::optional<QString> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject alertJson(const NwsAlert &a)
{
    return QJsonObject {
        { QStringLiteral("id"), a.id },
        { QStringLiteral("event"), a.event },
        { QStringLiteral("severity"), a.severity },
        { QStringLiteral("headline"), optionalText(a.headline) },
        { QStringLiteral("description"), a.description },
        { QStringLiteral("instruction"), optionalText(a.instruction) },
        { QStringLiteral("onset"), optionalText(a.onset) },
        { QStringLiteral("ends"), optionalText(a.ends) },
        { QStringLiteral("senderName"), a.senderName },
        { QStringLiteral("areaDesc"), a.areaDesc },
    };
}

QCoro::Task<int> alerts(CliContext &context)
{
    const double latitude = context.number(0, "LAT");
    const double longitude = context.number(1, "LON");
    NwsService service(*context.network, context.endpoints, *context.clock);
    const QList<NwsAlert> result = co_await service.activeAlerts(latitude, longitude);
    QJsonArray list;
    for (const NwsAlert &a : result) {
        list.append(alertJson(a));
    }
    printJson(list);
    co_return 0;
}

QCoro::Task<int> office(CliContext &context)
{
    const double latitude = context.number(0, "LAT");
    const double longitude = context.number(1, "LON");
    NwsService service(*context.network, context.endpoints, *context.clock);
    const std::optional<QString> result = co_await service.forecastOffice(latitude, longitude);
    printText(result.value_or(QStringLiteral("absent")));
    co_return 0;
}

QCoro::Task<int> product(CliContext &context)
{
    const QString type = context.arg(0, "TYPE");
    const QString officeId = context.arg(1, "OFFICE");
    if (type != QLatin1StringView("AFD") && type != QLatin1StringView("HWO")) {
        throw UsageError("TYPE must be AFD or HWO");
    }
    NwsService service(*context.network, context.endpoints, *context.clock);
    const std::optional<NwsTextProduct> result = co_await service.latestProduct(type, officeId);
    if (!result) {
        printJson(QJsonValue(QJsonValue::Null));
        co_return 0;
    }
    printJson(QJsonObject { { QStringLiteral("office"), result->office },
        { QStringLiteral("issuedAt"), result->issuedAt }, { QStringLiteral("text"), result->text } });
    co_return 0;
}

QCoro::Task<int> outlook(CliContext &context)
{
    const double latitude = context.number(0, "LAT");
    const double longitude = context.number(1, "LON");
    SpcService service(*context.network, context.endpoints, *context.clock);
    const std::optional<QString> text = co_await service.convectiveOutlookText(latitude, longitude);
    printText(text.value_or(QStringLiteral("absent")));
    co_return 0;
}

const CliRegistration alertsRegistration(
    QStringLiteral("alerts"), { QStringLiteral("alerts LAT LON"), {}, {}, alerts });
const CliRegistration officeRegistration(
    QStringLiteral("office"), { QStringLiteral("office LAT LON"), {}, {}, office });
const CliRegistration productRegistration(
    QStringLiteral("product"), { QStringLiteral("product TYPE OFFICE   (TYPE: AFD or HWO)"), {}, {}, product });
const CliRegistration outlookRegistration(
    QStringLiteral("outlook"), { QStringLiteral("outlook LAT LON"), {}, {}, outlook });

} // namespace
