// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Endpoints.h"
#include "net/HttpClient.h"
#include "platform/PositionSource.h"
#include "weather/SavedLocation.h"

#include <QString>

#include <QCoroTask>

#include <chrono>
#include <optional>

class QNetworkAccessManager;

// Finds and names the place the user is at: the device position first, coarse IP
// geolocation when the device gives none, then a reverse geocoder for the name.
class LocationProvider
{
public:
    static constexpr std::chrono::milliseconds kPositionTimeout { 8'000 };

    // The place name the reverse geocoder gives.
    struct PlaceName
    {
        QString name;
        std::optional<QString> admin1;
        std::optional<QString> country;
        bool operator==(const PlaceName &) const = default;
    };

    // positionSource may be null (no device position at all: IP geolocation only). It is not
    // owned and must outlive the provider. requestTimeout: each request's (see net::getData).
    LocationProvider(QNetworkAccessManager &network, Endpoints endpoints, PositionSource *positionSource,
        std::chrono::milliseconds positionTimeout = kPositionTimeout,
        std::chrono::milliseconds requestTimeout = net::kDefaultTimeout);

    // The current place, named, with the device's time zone. The device position falls back
    // silently to IP geolocation; the IP failure (HttpError, status 0) and any reverse
    // geocoding failure are thrown.
    [[nodiscard]] QCoro::Task<SavedLocation> resolveCurrentLocation();

    // The device position within the timeout. Throws PositionError.
    [[nodiscard]] QCoro::Task<Coordinates> nativePosition(std::chrono::milliseconds timeout);

    // Coordinates from the two IP geolocation services, in order. Throws HttpError::badStatus
    // with status 0 and detectionFailedText() when neither gives both coordinates.
    [[nodiscard]] QCoro::Task<Coordinates> detectLocation();

    // The name of a place. Throws the request's errors, JsonError for a body that is not
    // JSON and HttpError::badResponse for JSON that is not an object.
    [[nodiscard]] QCoro::Task<PlaceName> reverseGeocode(double latitude, double longitude);

    // Whether the resume check may ask for the device position without the user asking: a
    // position source exists and has not reported an access error in this run.
    [[nodiscard]] bool isAlwaysAuthorized() const;

    [[nodiscard]] static QString detectionFailedText();
    // The reverse geocoder's query text for these coordinates.
    [[nodiscard]] static QString reverseGeocodeQuery(double latitude, double longitude);
    // A reverse geocoder reply turned into a name (never fails).
    [[nodiscard]] static PlaceName placeNameFromReply(const QJsonObject &reply);
    // latitude and longitude of an IP geolocation reply, when both are numbers.
    [[nodiscard]] static std::optional<Coordinates> coordinatesFromReply(const QJsonObject &reply);

private:
    QNetworkAccessManager &m_network;
    Endpoints m_endpoints;
    PositionSource *m_positionSource;
    std::chrono::milliseconds m_positionTimeout;
    std::chrono::milliseconds m_requestTimeout;
};
