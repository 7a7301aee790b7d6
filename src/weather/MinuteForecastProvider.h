// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/RequestGroup.h"
#include "weather/NextHourNowcast.h"

#include <QList>
#include <QUrl>

#include <QCoroTask>

#include <optional>

// Who to credit for the minute forecast, and where the credit links to.
struct NowcastAttribution
{
    QUrl legalPageURL;
    std::optional<QUrl> combinedMarkLightURL; // a mark image for light backgrounds, when the provider has one
    std::optional<QUrl> combinedMarkDarkURL;

    bool operator==(const NowcastAttribution &) const = default;
};

// Where the next-hour nowcast gets its minute-by-minute precipitation. The platform layer
// provides the real one (MinuteForecastSource); the nowcast itself only sees this interface.
class MinuteForecastProvider
{
public:
    virtual ~MinuteForecastProvider() = default;

    // The minutes around now, oldest first, with chance (0 to 1) and intensity (mm/h). Nothing
    // when the provider has no minute forecast for this place; throws when the request fails.
    [[nodiscard]] virtual QCoro::Task<std::optional<QList<NowcastMinute>>> minuteForecast(
        double latitude, double longitude, net::RequestGroup group) = 0;

    [[nodiscard]] virtual NowcastAttribution attribution() const = 0;
};
