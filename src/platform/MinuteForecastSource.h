// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Endpoints.h"
#include "net/HttpClient.h"
#include "weather/MinuteForecastProvider.h"

#include <QDateTime>
#include <QJsonObject>

class Clock;
class QNetworkAccessManager;

// The minute-by-minute precipitation of the next hour, derived from Open-Meteo's 15-minute
// data: each minute takes the 15-minute step whose interval (t − 15 min, t] holds it, since the
// service reports each step's precipitation over the preceding quarter hour.
class MinuteForecastSource final : public MinuteForecastProvider
{
public:
    MinuteForecastSource(QNetworkAccessManager &network, Endpoints endpoints, const Clock &clock,
        std::chrono::milliseconds timeout = net::kDefaultTimeout);

    // Throws HttpError, NetworkError or JsonError when the request fails; nothing when the reply
    // has no 15-minute data for the hour.
    [[nodiscard]] QCoro::Task<std::optional<QList<NowcastMinute>>> minuteForecast(
        double latitude, double longitude, net::RequestGroup group = {}) override;

    // Open-Meteo's licence page; Open-Meteo has no mark images.
    [[nodiscard]] NowcastAttribution attribution() const override;

    using QueryItems = QList<std::pair<QString, QString>>;
    [[nodiscard]] static QueryItems query(double latitude, double longitude);

    // The minutes from one minute before the current minute to 60 minutes after it, from a
    // reply with "minutely_15" in unix time: intensity is the step's amount × 4 (mm/h), chance
    // the step's probability / 100, or 1 / 0 from the intensity when the step has none. A minute
    // whose step is missing or has no amount is left out. Nothing when there is no minute.
    [[nodiscard]] static std::optional<QList<NowcastMinute>> minutesFromReply(
        const QJsonObject &reply, const QDateTime &now);

private:
    QNetworkAccessManager &m_network;
    Endpoints m_endpoints;
    const Clock &m_clock;
    std::chrono::milliseconds m_timeout;
};
