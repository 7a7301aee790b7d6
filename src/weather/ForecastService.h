// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Endpoints.h"
#include "net/HttpClient.h"
#include "weather/Forecast.h"

#include <QJsonObject>
#include <QList>
#include <QString>

#include <QCoroTask>

#include <optional>
#include <utility>

class QNetworkAccessManager;

// Talks to the Open-Meteo forecast API. Holds no state of its own.
class ForecastService
{
public:
    // timeout: each request's (see net::getData).
    ForecastService(
        QNetworkAccessManager &network, Endpoints endpoints, std::chrono::milliseconds timeout = net::kDefaultTimeout);

    // The forecast the screens and the local composer use, yesterday included. Inside the
    // contiguous United States the National Blend of Models is asked for, and a second request
    // fills in the UV index that model lacks; that second request failing changes nothing but
    // the UV values. Throws HttpError, NetworkError or JsonError.
    [[nodiscard]] QCoro::Task<Forecast> fetchForecast(
        double latitude, double longitude, QString timezone, bool fahrenheit, bool mph);

    // The forecast text block the language model reads (see forecast_text::render), from a
    // richer request with a 15-minute nowcast. Inside the contiguous United States the same
    // request without the National Blend of Models runs alongside it to fill that model's gaps;
    // the air-quality request always does. Only the main request's failure is reported: HttpError,
    // NetworkError or JsonError.
    [[nodiscard]] QCoro::Task<QString> forecastSummary(
        double latitude, double longitude, QString timezone, bool fahrenheit, bool mph);

    // The current air quality (US AQI, PM2.5, PM10, ozone) as the service's reply object;
    // nothing on any failure.
    [[nodiscard]] QCoro::Task<std::optional<QJsonObject>> fetchAirQuality(double latitude, double longitude);

    // Turns a forecast reply (and the optional UV supplement reply) into a Forecast. Throws
    // HttpError::badResponse when "current", "daily" or "hourly" is missing or not an object;
    // every other missing value becomes 0 or its named fallback.
    [[nodiscard]] static Forecast parseForecast(const QJsonObject &reply,
        const std::optional<QJsonObject> &uvSupplement, bool fahrenheit, bool mph, const QString &timezone);

    // 24.5 ≤ latitude ≤ 49.5 and -125 ≤ longitude ≤ -66.5, bounds included.
    [[nodiscard]] static bool isInConus(double latitude, double longitude);

    using QueryItems = QList<std::pair<QString, QString>>;
    // The query items of the screen forecast request, in the order they are sent.
    [[nodiscard]] static QueryItems forecastQuery(
        double latitude, double longitude, const QString &timezone, bool fahrenheit, bool mph);
    // The query items of the text block's request; withModels false gives the fallback request.
    [[nodiscard]] static QueryItems summaryQuery(
        double latitude, double longitude, const QString &timezone, bool fahrenheit, bool mph, bool withModels);
    [[nodiscard]] static QString airQualityQueryText(double latitude, double longitude);
    [[nodiscard]] static QueryItems uvSupplementQuery(double latitude, double longitude, const QString &timezone);

    [[nodiscard]] const Endpoints &endpoints() const { return m_endpoints; }
    [[nodiscard]] QNetworkAccessManager &network() const { return m_network; }

private:
    QNetworkAccessManager &m_network;
    Endpoints m_endpoints;
    std::chrono::milliseconds m_timeout;
};
