// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ai/AiService.h"
#include "ai/MessagesClient.h"
#include "app/AppSources.h"
#include "location/GeocodingService.h"
#include "location/LocationProvider.h"
#include "net/Endpoints.h"
#include "platform/DefaultsNormalsStore.h"
#include "platform/MinuteForecastSource.h"
#include "sources/NwsService.h"
#include "sources/SpcService.h"
#include "weather/ClimateNormalsService.h"
#include "weather/ForecastService.h"
#include "weather/NowcastService.h"

#include <memory>

class Clock;
class Defaults;
class NotificationService;
class PositionSource;
class QNetworkAccessManager;

// The real services behind the app model, one of each for the run.
//
// Lifetime contract: the services' tasks use their service again after each co_await without a
// guard. That is sound because the services (and the network manager) live for the whole run and
// are destroyed only after the event loop has stopped, so no suspended task is ever resumed
// against a destroyed service. Tests keep the same rule: whatever builds services outlives every
// task it starts.
class LiveSources : public AppSources
{
public:
    // positionSource may be null: the place is then found by IP look-up only. aiNetwork is the
    // network of the Anthropic client, its own session; null makes a fresh one.
    LiveSources(QNetworkAccessManager &network, const Endpoints &endpoints, Defaults &defaults, Clock &clock,
        PositionSource *positionSource = nullptr, std::unique_ptr<QNetworkAccessManager> aiNetwork = nullptr);

    [[nodiscard]] QCoro::Task<Forecast> fetchForecast(SavedLocation place, bool fahrenheit, bool mph) override;
    [[nodiscard]] QCoro::Task<QList<NwsAlert>> activeAlerts(double latitude, double longitude) override;
    [[nodiscard]] QCoro::Task<std::optional<NextHourNowcast>> nextHourNowcast(
        double latitude, double longitude, QString timezone) override;
    [[nodiscard]] QCoro::Task<std::optional<ClimateNormals>> loadNormals(
        double latitude, double longitude, QString timezone) override;
    [[nodiscard]] QCoro::Task<SavedLocation> resolveCurrentLocation() override;
    [[nodiscard]] bool deviceLocationAuthorized() const override;
    [[nodiscard]] QCoro::Task<std::optional<BriefingResult>> generateBriefing(
        SavedLocation place, std::optional<QString> apiKey, Flags flags, QList<NwsAlert> alerts) override;
    [[nodiscard]] QCoro::Task<QString> answer(QString question, SavedLocation place, std::optional<QString> apiKey,
        QList<QaPair> history, Flags flags) override;

    [[nodiscard]] std::optional<QString> localBriefingText(const Forecast &forecast, const QList<NwsAlert> &alerts,
        const std::optional<NextHourNowcast> &nowcast, const std::optional<ClimateNormals> &normals,
        const SavedLocation &place) const override;

    // Alerts and the daily briefing are notified through this service once it is set.
    void setNotifications(NotificationService *notifications) { m_notifications = notifications; }
    void notifyNewAlerts(const QList<NwsAlert> &alerts) override;
    [[nodiscard]] QCoro::Task<> syncNotifications(std::optional<SavedLocation> place, QString dailyBody) override;

    [[nodiscard]] GeocodingService &geocoding() { return m_geocoding; }
    [[nodiscard]] NowcastService &nowcast() { return m_nowcast; }

private:
    ForecastService m_forecasts;
    NwsService m_nws;
    SpcService m_spc;
    MinuteForecastSource m_minutes;
    NowcastService m_nowcast;
    DefaultsNormalsStore m_normalsStore;
    ClimateNormalsService m_normals;
    LocationProvider m_location;
    GeocodingService m_geocoding;
    MessagesClient m_messages;
    AiService m_ai;
    NotificationService *m_notifications = nullptr;
};
