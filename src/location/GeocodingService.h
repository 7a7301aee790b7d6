// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Endpoints.h"
#include "net/HttpClient.h"
#include "weather/GeoResult.h"

#include <QJsonObject>
#include <QList>
#include <QString>

#include <QCoroTask>

class QNetworkAccessManager;

// The place search: Open-Meteo's geocoding API. Holds no state of its own.
class GeocodingService
{
public:
    static constexpr int kResultCount = 8;

    GeocodingService(
        QNetworkAccessManager &network, Endpoints endpoints, std::chrono::milliseconds timeout = net::kDefaultTimeout);

    // Places whose name matches the query, in the service's order. A query that is empty
    // after trimming white space and line breaks gives an empty list without a request.
    // Throws the request's errors, JsonError for a body that is not JSON and
    // HttpError::badResponse for JSON that is not an object.
    [[nodiscard]] QCoro::Task<QList<GeoResult>> searchLocations(QString query);

    // The usable hits of a reply: a missing or malformed "results" gives an empty list, and an
    // element missing a required field (id, name, latitude, longitude, timezone) or holding
    // one of the wrong kind is skipped.
    [[nodiscard]] static QList<GeoResult> parseSearchReply(const QJsonObject &reply);

    using QueryItems = QList<std::pair<QString, QString>>;
    [[nodiscard]] static QueryItems searchQuery(const QString &trimmedQuery);

private:
    QNetworkAccessManager &m_network;
    Endpoints m_endpoints;
    std::chrono::milliseconds m_timeout;
};
