// SPDX-License-Identifier: GPL-3.0-or-later
#include "location/LocationProvider.h"

#include "location/Log.h"
#include "net/AppError.h"
#include "net/HttpClient.h"
#include "net/JsonReaders.h"
#include "text/NumberText.h"

#include <QDebug>
#include <QTimeZone>

#include <array>
#include <exception>
#include <utility>

LocationProvider::LocationProvider(QNetworkAccessManager &network, Endpoints endpoints, PositionSource *positionSource,
    std::chrono::milliseconds positionTimeout, std::chrono::milliseconds requestTimeout)
    : m_network(network)
    , m_endpoints(std::move(endpoints))
    , m_positionSource(positionSource)
    , m_positionTimeout(positionTimeout)
    , m_requestTimeout(requestTimeout)
{ }

QString LocationProvider::detectionFailedText()
{
    return QStringLiteral("Could not detect your location. Use search to pick your city instead.");
}

bool LocationProvider::isAlwaysAuthorized() const
{
    return m_positionSource != nullptr && m_positionSource->isAuthorized();
}

QCoro::Task<SavedLocation> LocationProvider::resolveCurrentLocation()
{
    std::optional<Coordinates> position;
    try {
        position = co_await nativePosition(m_positionTimeout);
    } catch (const std::exception &e) {
        qCInfo(locationLog) << "[location] using IP geolocation:" << e.what();
    }
    if (!position) {
        position = co_await detectLocation();
    }
    const PlaceName place = co_await reverseGeocode(position->latitude, position->longitude);
    co_return SavedLocation { place.name, place.admin1, place.country, position->latitude, position->longitude,
        QString::fromUtf8(QTimeZone::systemTimeZoneId()) };
}

QCoro::Task<Coordinates> LocationProvider::nativePosition(std::chrono::milliseconds timeout)
{
    if (m_positionSource == nullptr) {
        throw PositionError(PositionError::Code::Denied, QStringLiteral("No location service is available."));
    }
    co_return co_await m_positionSource->requestPosition(timeout);
}

std::optional<Coordinates> LocationProvider::coordinatesFromReply(const QJsonObject &reply)
{
    const std::optional<double> latitude = json::number(reply, QLatin1StringView("latitude"));
    const std::optional<double> longitude = json::number(reply, QLatin1StringView("longitude"));
    if (!latitude || !longitude) {
        return std::nullopt;
    }
    return Coordinates { *latitude, *longitude };
}

QCoro::Task<Coordinates> LocationProvider::detectLocation()
{
    const std::array<QUrl, 2> services { Endpoints::url(m_endpoints.ipGeolocation1, QStringLiteral("/")),
        Endpoints::url(m_endpoints.ipGeolocation2, QStringLiteral("/json/")) };
    for (const QUrl &url : services) {
        try {
            const QByteArray body = co_await net::getData(m_network, url, {}, m_requestTimeout);
            const QJsonValue value = json::parse(body);
            if (const auto coordinates = value.isObject() ? coordinatesFromReply(value.toObject()) : std::nullopt) {
                co_return *coordinates;
            }
            qCInfo(locationLog) << "[location] no coordinates from" << url.host();
        } catch (const std::exception &e) {
            qCInfo(locationLog) << "[location] IP geolocation failed at" << url.host() << ":" << e.what();
        }
    }
    throw HttpError::badStatus(0, detectionFailedText());
}

QString LocationProvider::reverseGeocodeQuery(double latitude, double longitude)
{
    return QStringLiteral("?latitude=") + text::shortestDecimal(latitude) + QStringLiteral("&longitude=")
        + text::shortestDecimal(longitude) + QStringLiteral("&localityLanguage=en");
}

LocationProvider::PlaceName LocationProvider::placeNameFromReply(const QJsonObject &reply)
{
    PlaceName place { QStringLiteral("Current Location"), std::nullopt, std::nullopt };
    for (const char *key : { "locality", "city", "principalSubdivision" }) {
        const std::optional<QString> candidate = json::label(reply, QLatin1StringView(key));
        if (candidate && !candidate->isEmpty()) {
            place.name = *candidate;
            break;
        }
    }
    place.admin1 = json::label(reply, QLatin1StringView("principalSubdivision"));
    place.country = json::label(reply, QLatin1StringView("countryName"));
    return place;
}

QCoro::Task<LocationProvider::PlaceName> LocationProvider::reverseGeocode(double latitude, double longitude)
{
    const QUrl url = Endpoints::urlWithQueryText(m_endpoints.reverseGeocoding,
        QStringLiteral("/data/reverse-geocode-client"), reverseGeocodeQuery(latitude, longitude));
    const QByteArray body = co_await net::getData(m_network, url, {}, m_requestTimeout);
    co_return placeNameFromReply(json::parseObject(body));
}
