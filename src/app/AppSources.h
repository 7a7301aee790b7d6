// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/BriefingResult.h"
#include "weather/ClimateNormals.h"
#include "weather/Forecast.h"
#include "weather/NextHourNowcast.h"
#include "weather/NwsAlert.h"
#include "weather/QaPair.h"
#include "weather/SavedLocation.h"

#include <QList>
#include <QString>

#include <QCoroTask>

#include <optional>

// Everything the app model asks of the outside world during a refresh, a question or a place
// look-up. LiveSources answers with the real services.
class AppSources
{
public:
    virtual ~AppSources() = default;

    struct Flags
    {
        bool fahrenheit = true;
        bool mph = true;
        bool localExpertise = false;
    };

    // The only source whose failure is reported (AppError and its kinds).
    [[nodiscard]] virtual QCoro::Task<Forecast> fetchForecast(SavedLocation place, bool fahrenheit, bool mph) = 0;
    // Never fail.
    [[nodiscard]] virtual QCoro::Task<QList<NwsAlert>> activeAlerts(double latitude, double longitude) = 0;
    [[nodiscard]] virtual QCoro::Task<std::optional<NextHourNowcast>> nextHourNowcast(
        double latitude, double longitude, QString timezone) = 0;
    [[nodiscard]] virtual QCoro::Task<std::optional<ClimateNormals>> loadNormals(
        double latitude, double longitude, QString timezone) = 0;

    // The device's place: position, or IP look-up, named by reverse geocoding. Throws AppError.
    [[nodiscard]] virtual QCoro::Task<SavedLocation> resolveCurrentLocation() = 0;
    // Whether the device's own position can be asked for without prompting: a position source
    // exists and has not reported an access error.
    [[nodiscard]] virtual bool deviceLocationAuthorized() const = 0;

    // Never fails; nothing when no briefing could be written.
    // alerts: the place's active alerts, just fetched by the refresh.
    [[nodiscard]] virtual QCoro::Task<std::optional<BriefingResult>> generateBriefing(
        SavedLocation place, std::optional<QString> apiKey, Flags flags, QList<NwsAlert> alerts) = 0;
    // Throws AppError with the message the Ask panel shows.
    [[nodiscard]] virtual QCoro::Task<QString> answer(
        QString question, SavedLocation place, std::optional<QString> apiKey, QList<QaPair> history, Flags flags) = 0;

    // The local composer's briefing for a forecast: nothing when it has nothing to say.
    [[nodiscard]] virtual std::optional<QString> localBriefingText(const Forecast &forecast,
        const QList<NwsAlert> &alerts, const std::optional<NextHourNowcast> &nowcast,
        const std::optional<ClimateNormals> &normals, const SavedLocation &place) const = 0;

    // Notifications are not built yet: these do nothing.
    virtual void notifyNewAlerts(const QList<NwsAlert> &alerts);
    [[nodiscard]] virtual QCoro::Task<> syncNotifications();
};
