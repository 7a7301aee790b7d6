// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Endpoints.h"
#include "net/HttpClient.h"
#include "weather/NwsAlert.h"
#include "weather/NwsTextProduct.h"

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUrl>

#include <QCoroTask>

#include <optional>

class Clock;
class QNetworkAccessManager;

// The client of the National Weather Service web API: active alerts at a point, the forecast
// office that covers it, and the newest forecaster bulletin of a type for an office. A 400 or
// 404 reply means that nothing is available there. Offices are remembered for the run (absence
// included), bulletins for 30 minutes (a look that found nothing usable included).
//
// Lives on one thread; its coroutines suspend there, so cache reads and writes never overlap.
// Two simultaneous calls for the same uncached key may both fetch; the last to finish wins.
class NwsService
{
public:
    NwsService(QNetworkAccessManager &network, Endpoints endpoints, Clock &clock,
        std::chrono::milliseconds timeout = net::kDefaultTimeout);

    // "User-Agent: Merrin Vale app (merrin-vale)" and "Accept: application/geo+json".
    [[nodiscard]] static HeaderMap headers();

    // GET with the two headers and the timeout (60 seconds unless given). Absent for a 400 or 404 reply and for
    // JSON that is not an object. Throws HttpError::badStatus(status, "") for any other non-2xx
    // status, JsonError for a body that is not JSON, NetworkError for transport failures.
    // The body is parsed on a worker thread.
    [[nodiscard]] QCoro::Task<std::optional<QJsonObject>> fetchJSON(QUrl url, net::RequestGroup group = {});

    // The actual, non-cancelled alerts at the point, most severe first (feed order among equals).
    // Never fails: any failure gives an empty list.
    [[nodiscard]] QCoro::Task<QList<NwsAlert>> activeAlerts(
        double latitude, double longitude, net::RequestGroup group = {});

    // The forecast office ("OKX") covering the point, or absent. Points that agree to two
    // decimals share one look-up for the whole run. Throws what fetchJSON throws.
    [[nodiscard]] QCoro::Task<std::optional<QString>> forecastOffice(
        double latitude, double longitude, net::RequestGroup group = {});

    // The newest bulletin of type "AFD" or "HWO" from the office, reduced for the model, or
    // absent. Throws what fetchJSON throws (and then leaves the cache as it was).
    [[nodiscard]] QCoro::Task<std::optional<NwsTextProduct>> latestProduct(
        QString type, QString office, net::RequestGroup group = {});

    // The office's newest bulletin of the type for a place; never fails: a failure, a missing
    // office or a missing bulletin gives absent.
    [[nodiscard]] QCoro::Task<std::optional<NwsTextProduct>> productForPlace(
        QString type, double latitude, double longitude, net::RequestGroup group = {});
    [[nodiscard]] QCoro::Task<std::optional<NwsTextProduct>> areaForecastDiscussion(
        double latitude, double longitude, net::RequestGroup group = {});
    [[nodiscard]] QCoro::Task<std::optional<NwsTextProduct>> hazardousWeatherOutlook(
        double latitude, double longitude, net::RequestGroup group = {});

    // The alerts of an alert feed, as activeAlerts keeps and orders them. Malformed entries drop out
    // one by one.
    [[nodiscard]] static QList<NwsAlert> parseAlerts(const QJsonObject &feed);

    [[nodiscard]] const Endpoints &endpoints() const { return m_endpoints; }

private:
    struct CachedProduct
    {
        QDateTime at;
        std::optional<NwsTextProduct> value;
    };

    QCoro::Task<std::optional<NwsTextProduct>> fetchProduct(QString type, QString office, net::RequestGroup group);

    QNetworkAccessManager &m_network;
    Endpoints m_endpoints;
    Clock &m_clock;
    std::chrono::milliseconds m_timeout;
    QHash<QString, std::optional<QString>> m_officeCache;
    QHash<QString, CachedProduct> m_productCache;
};
