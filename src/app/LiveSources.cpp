// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LiveSources.h"

#include "app/NotificationService.h"
#include "composer/LocalBriefing.h"

LiveSources::LiveSources(QNetworkAccessManager &network, const Endpoints &endpoints, Defaults &defaults, Clock &clock,
    PositionSource *positionSource, std::unique_ptr<QNetworkAccessManager> aiNetwork)
    : m_forecasts(network, endpoints)
    , m_nws(network, endpoints, clock)
    , m_spc(network, endpoints, clock)
    , m_minutes(network, endpoints, clock)
    , m_nowcast(m_minutes, clock)
    , m_normalsStore(defaults)
    , m_normals(network, endpoints, clock, m_normalsStore)
    , m_location(network, endpoints, positionSource)
    , m_geocoding(network, endpoints)
    , m_messages(endpoints.anthropic, std::move(aiNetwork))
    , m_ai(m_messages, AiService::Sources { m_forecasts, m_nws, m_spc, m_nowcast }, clock)
{ }

QCoro::Task<Forecast> LiveSources::fetchForecast(SavedLocation place, bool fahrenheit, bool mph)
{
    co_return co_await m_forecasts.fetchForecast(place.latitude, place.longitude, place.timezone, fahrenheit, mph);
}

QCoro::Task<QList<NwsAlert>> LiveSources::activeAlerts(double latitude, double longitude)
{
    co_return co_await m_nws.activeAlerts(latitude, longitude);
}

QCoro::Task<std::optional<NextHourNowcast>> LiveSources::nextHourNowcast(
    double latitude, double longitude, QString timezone)
{
    co_return co_await m_nowcast.nextHourNowcast(latitude, longitude, timezone);
}

QCoro::Task<std::optional<ClimateNormals>> LiveSources::loadNormals(double latitude, double longitude, QString timezone)
{
    co_return co_await m_normals.loadNormals(latitude, longitude, timezone);
}

QCoro::Task<SavedLocation> LiveSources::resolveCurrentLocation()
{
    co_return co_await m_location.resolveCurrentLocation();
}

bool LiveSources::deviceLocationAuthorized() const
{
    return m_location.isAlwaysAuthorized();
}

QCoro::Task<std::optional<BriefingResult>> LiveSources::generateBriefing(
    SavedLocation place, std::optional<QString> apiKey, Flags flags, QList<NwsAlert> alerts)
{
    co_return co_await m_ai.generateBriefing(
        place, apiKey, flags.fahrenheit, flags.mph, flags.localExpertise, std::move(alerts));
}

QCoro::Task<QString> LiveSources::answer(
    QString question, SavedLocation place, std::optional<QString> apiKey, QList<QaPair> history, Flags flags)
{
    co_return co_await m_ai.answer(question, place, apiKey, history, flags.fahrenheit, flags.mph, flags.localExpertise);
}

std::optional<QString> LiveSources::localBriefingText(const Forecast &forecast, const QList<NwsAlert> &alerts,
    const std::optional<NextHourNowcast> &nowcast, const std::optional<ClimateNormals> &normals,
    const SavedLocation &) const
{
    return composer::localBriefingText(forecast, alerts, nowcast, normals);
}

void LiveSources::notifyNewAlerts(const QList<NwsAlert> &alerts)
{
    if (m_notifications != nullptr) {
        m_notifications->notifyNewAlerts(alerts);
    }
}

QCoro::Task<> LiveSources::syncNotifications(std::optional<SavedLocation> place, QString dailyBody)
{
    if (m_notifications != nullptr) {
        co_await m_notifications->syncNotifications(std::move(place), std::move(dailyBody));
    }
}
