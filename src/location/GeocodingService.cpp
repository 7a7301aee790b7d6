// SPDX-License-Identifier: GPL-3.0-or-later
#include "location/GeocodingService.h"

#include "net/HttpClient.h"
#include "net/JsonReaders.h"
#include "text/Trim.h"

#include <QJsonArray>

#include <utility>

namespace {

std::optional<GeoResult> resultFromElement(const QJsonValue &element)
{
    if (!element.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = element.toObject();
    const std::optional<qint64> id = json::integer(object, QLatin1StringView("id"));
    const std::optional<QString> name = json::label(object, QLatin1StringView("name"));
    const std::optional<double> latitude = json::number(object, QLatin1StringView("latitude"));
    const std::optional<double> longitude = json::number(object, QLatin1StringView("longitude"));
    const std::optional<QString> timezone = json::text(object, QLatin1StringView("timezone"));
    if (!id || !name || !latitude || !longitude || !timezone) {
        return std::nullopt;
    }
    return GeoResult { *id, *name, json::label(object, QLatin1StringView("admin1")),
        json::label(object, QLatin1StringView("country")), *latitude, *longitude, *timezone };
}

} // namespace

GeocodingService::GeocodingService(
    QNetworkAccessManager &network, Endpoints endpoints, std::chrono::milliseconds timeout)
    : m_network(network)
    , m_endpoints(std::move(endpoints))
    , m_timeout(timeout)
{ }

GeocodingService::QueryItems GeocodingService::searchQuery(const QString &trimmedQuery)
{
    return { { QStringLiteral("name"), trimmedQuery }, { QStringLiteral("count"), QString::number(kResultCount) },
        { QStringLiteral("language"), QStringLiteral("en") }, { QStringLiteral("format"), QStringLiteral("json") } };
}

QList<GeoResult> GeocodingService::parseSearchReply(const QJsonObject &reply)
{
    QList<GeoResult> results;
    const QJsonValue list = reply.value(QLatin1StringView("results"));
    if (!list.isArray()) {
        return results;
    }
    const QJsonArray elements = list.toArray();
    results.reserve(elements.size());
    for (const QJsonValue element : elements) {
        if (std::optional<GeoResult> result = resultFromElement(element)) {
            results.append(std::move(*result));
        }
    }
    return results;
}

QCoro::Task<QList<GeoResult>> GeocodingService::searchLocations(QString query)
{
    const QString trimmed = text::trimmedWhitespaceAndNewlines(query);
    if (trimmed.isEmpty()) {
        co_return QList<GeoResult> {};
    }
    const QUrl url = Endpoints::url(m_endpoints.openMeteoGeocoding, QStringLiteral("/v1/search"), searchQuery(trimmed));
    const QByteArray body = co_await net::getData(m_network, url, {}, m_timeout);
    co_return parseSearchReply(json::parseObject(body));
}
