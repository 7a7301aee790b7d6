// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/NwsService.h"

#include "net/AppError.h"
#include "net/Clock.h"
#include "net/JsonReaders.h"
#include "net/OffThread.h"
#include "sources/Log.h"
#include "sources/NwsBulletins.h"
#include "text/NumberText.h"

#include <QJsonArray>
#include <QtDebug>

#include <algorithm>

namespace {

constexpr qint64 kProductMaxAgeMs = 1800LL * 1000;

// The objects of a list at key; other elements drop out.
QList<QJsonObject> objectsAt(const QJsonObject &object, QLatin1StringView key)
{
    QList<QJsonObject> out;
    const QJsonValue value = object.value(key);
    if (!value.isArray()) {
        return out;
    }
    const QJsonArray list = value.toArray();
    out.reserve(list.size());
    for (const QJsonValue element : list) {
        if (element.isObject()) {
            out.append(element.toObject());
        }
    }
    return out;
}

std::optional<NwsAlert> alertFrom(const QJsonObject &feature)
{
    const std::optional<QJsonObject> properties = json::object(feature, QLatin1StringView("properties"));
    if (!properties) {
        return std::nullopt;
    }
    const QJsonObject &p = *properties;
    if (json::text(p, QLatin1StringView("status")) != QStringLiteral("Actual")) {
        return std::nullopt;
    }
    if (json::text(p, QLatin1StringView("messageType")) == QStringLiteral("Cancel")) {
        return std::nullopt;
    }
    const std::optional<QString> id = json::text(p, QLatin1StringView("id"));
    const std::optional<QString> event = json::label(p, QLatin1StringView("event"));
    if (!id || !event) {
        return std::nullopt;
    }
    NwsAlert alert;
    alert.id = *id;
    alert.event = *event;
    alert.severity = json::label(p, QLatin1StringView("severity")).value_or(QStringLiteral("Unknown"));
    alert.headline = json::label(p, QLatin1StringView("headline"));
    alert.description = json::text(p, QLatin1StringView("description")).value_or(QString());
    alert.instruction = json::text(p, QLatin1StringView("instruction"));
    alert.onset = json::text(p, QLatin1StringView("onset"));
    alert.ends = json::text(p, QLatin1StringView("ends"));
    if (!alert.ends) {
        alert.ends = json::text(p, QLatin1StringView("expires"));
    }
    alert.senderName = json::label(p, QLatin1StringView("senderName")).value_or(QStringLiteral("NWS"));
    alert.areaDesc = json::label(p, QLatin1StringView("areaDesc")).value_or(QString());
    return alert;
}

} // namespace

NwsService::NwsService(
    QNetworkAccessManager &network, Endpoints endpoints, Clock &clock, std::chrono::milliseconds timeout)
    : m_network(network)
    , m_endpoints(std::move(endpoints))
    , m_clock(clock)
    , m_timeout(timeout)
{ }

HeaderMap NwsService::headers()
{
    return { { QByteArrayLiteral("User-Agent"), QByteArrayLiteral("Merrin Vale app (merrin-vale)") },
        { QByteArrayLiteral("Accept"), QByteArrayLiteral("application/geo+json") } };
}

QCoro::Task<std::optional<QJsonObject>> NwsService::fetchJSON(QUrl url, net::RequestGroup group)
{
    // Arguments are named, not temporaries of the co_await expression: GCC 12 may destroy such
    // temporaries twice.
    const HeaderMap requestHeaders = headers();
    const QByteArray method = QByteArrayLiteral("GET");
    const QByteArray noBody;
    net::HttpReply reply =
        co_await net::send(m_network, method, url, requestHeaders, noBody, m_timeout, std::move(group));
    if (reply.status == 404 || reply.status == 400) {
        co_return std::nullopt;
    }
    if (reply.status < 200 || reply.status > 299) {
        throw HttpError::badStatus(reply.status, QString());
    }
    auto parsing = net::runOffThread([body = std::move(reply.body)] { return json::parse(body); });
    const QJsonValue value = co_await std::move(parsing);
    if (!value.isObject()) {
        co_return std::nullopt;
    }
    co_return value.toObject();
}

QList<NwsAlert> NwsService::parseAlerts(const QJsonObject &feed)
{
    QList<NwsAlert> alerts;
    for (const QJsonObject &feature : objectsAt(feed, QLatin1StringView("features"))) {
        if (std::optional<NwsAlert> alert = alertFrom(feature)) {
            alerts.append(std::move(*alert));
        }
    }
    std::stable_sort(alerts.begin(), alerts.end(), [](const NwsAlert &a, const NwsAlert &b) {
        return alertSeverityRank(a.severity) < alertSeverityRank(b.severity);
    });
    return alerts;
}

QCoro::Task<QList<NwsAlert>> NwsService::activeAlerts(double latitude, double longitude, net::RequestGroup group)
{
    try {
        const QUrl url = Endpoints::urlWithQueryText(
            m_endpoints.nws, QStringLiteral("/alerts/active"), text::cformat("?point=%.4f,%.4f", latitude, longitude));
        std::optional<QJsonObject> feed = co_await fetchJSON(url, std::move(group));
        if (!feed) {
            co_return QList<NwsAlert> {};
        }
        auto parsing = net::runOffThread([feed = std::move(*feed)] { return parseAlerts(feed); });
        co_return co_await std::move(parsing);
    } catch (const std::exception &error) {
        qCInfo(sourcesLog).noquote() << "[nws] alerts failed:" << describeError(error);
    }
    co_return QList<NwsAlert> {};
}

QCoro::Task<std::optional<QString>> NwsService::forecastOffice(
    double latitude, double longitude, net::RequestGroup group)
{
    const QString key = text::cformat("%.2f,%.2f", latitude, longitude);
    if (const auto it = m_officeCache.constFind(key); it != m_officeCache.cend()) {
        co_return it.value();
    }
    const QUrl url = Endpoints::url(m_endpoints.nws, text::cformat("/points/%.4f,%.4f", latitude, longitude));
    const std::optional<QJsonObject> reply = co_await fetchJSON(url, std::move(group));
    std::optional<QString> office;
    if (reply) {
        if (const std::optional<QJsonObject> properties = json::object(*reply, QLatin1StringView("properties"))) {
            office = json::text(*properties, QLatin1StringView("cwa"));
        }
    }
    m_officeCache.insert(key, office);
    co_return office;
}

QCoro::Task<std::optional<NwsTextProduct>> NwsService::latestProduct(
    QString type, QString office, net::RequestGroup group)
{
    const QString key = type + QLatin1Char('/') + office;
    if (const auto it = m_productCache.constFind(key);
        it != m_productCache.cend() && it->at.msecsTo(m_clock.now()) < kProductMaxAgeMs) {
        co_return it->value;
    }
    std::optional<NwsTextProduct> product = co_await fetchProduct(type, office, std::move(group));
    m_productCache.insert(key, CachedProduct { m_clock.now(), product });
    co_return product;
}

QCoro::Task<std::optional<NwsTextProduct>> NwsService::fetchProduct(
    QString type, QString office, net::RequestGroup group)
{
    const QUrl listUrl = Endpoints::url(
        m_endpoints.nws, QStringLiteral("/products/types/") + type + QStringLiteral("/locations/") + office);
    const std::optional<QJsonObject> list = co_await fetchJSON(listUrl, group);
    if (!list) {
        co_return std::nullopt;
    }
    const QList<QJsonObject> graph = objectsAt(*list, QLatin1StringView("@graph"));
    if (graph.isEmpty()) {
        co_return std::nullopt;
    }
    const QJsonObject &newest = graph.constFirst();
    const std::optional<QString> id = json::text(newest, QLatin1StringView("id"));
    if (!id) {
        co_return std::nullopt;
    }
    const QUrl productUrl = Endpoints::url(m_endpoints.nws, QStringLiteral("/products/") + *id);
    const std::optional<QJsonObject> reply = co_await fetchJSON(productUrl, std::move(group));
    if (!reply) {
        co_return std::nullopt;
    }
    const std::optional<QString> productText = json::text(*reply, QLatin1StringView("productText"));
    if (!productText) {
        co_return std::nullopt;
    }
    NwsTextProduct product;
    product.office = office;
    product.issuedAt = json::text(*reply, QLatin1StringView("issuanceTime"))
                           .value_or(json::text(newest, QLatin1StringView("issuanceTime")).value_or(QString()));
    product.text = type == QLatin1StringView("HWO") ? nws::trimOutlook(*productText, nws::kOutlookLimit)
                                                    : nws::trimDiscussion(*productText, nws::kDiscussionLimit);
    co_return product;
}

QCoro::Task<std::optional<NwsTextProduct>> NwsService::productForPlace(
    QString type, double latitude, double longitude, net::RequestGroup group)
{
    try {
        const std::optional<QString> office = co_await forecastOffice(latitude, longitude, group);
        if (!office) {
            co_return std::nullopt;
        }
        co_return co_await latestProduct(type, *office, std::move(group));
    } catch (const std::exception &error) {
        qCInfo(sourcesLog).noquote() << "[nws]" << type << "failed:" << describeError(error);
    }
    co_return std::nullopt;
}

QCoro::Task<std::optional<NwsTextProduct>> NwsService::areaForecastDiscussion(
    double latitude, double longitude, net::RequestGroup group)
{
    return productForPlace(QStringLiteral("AFD"), latitude, longitude, std::move(group));
}

QCoro::Task<std::optional<NwsTextProduct>> NwsService::hazardousWeatherOutlook(
    double latitude, double longitude, net::RequestGroup group)
{
    return productForPlace(QStringLiteral("HWO"), latitude, longitude, std::move(group));
}
