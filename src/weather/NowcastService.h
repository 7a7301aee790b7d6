// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/MinuteForecastProvider.h"
#include "weather/NextHourNowcast.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QTimeZone>

#include <QCoroTask>

#include <optional>

class Clock;

// The next hour's rain, minute by minute, reduced to a short summary for the banner and a text
// section for the language model. A nowcast exists only when rain is expected within the hour;
// otherwise the answer is nothing, which every consumer treats as a dry hour. One reading per
// place (rounded to two decimals) is kept for five minutes, failures and dry answers included.
// Main thread only.
class NowcastService
{
public:
    NowcastService(MinuteForecastProvider &provider, const Clock &clock);

    // Never fails: a failed or empty minute forecast gives nothing (and one log line).
    [[nodiscard]] QCoro::Task<std::optional<NextHourNowcast>> nextHourNowcast(
        double latitude, double longitude, QString timezone, net::RequestGroup group = {});

    // The nowcast section of the briefing prompt; nothing when there is no nowcast.
    [[nodiscard]] QCoro::Task<std::optional<QString>> nowcastText(
        double latitude, double longitude, QString timezone, net::RequestGroup group = {});

    // Who the screen credits for the minute forecast.
    [[nodiscard]] NowcastAttribution attribution() const { return m_provider.attribution(); }

    // The reduction, exposed for the composer and tests: the wet minutes (chance of at least
    // 0.3) decide the summary; no wet minute gives nothing.
    [[nodiscard]] static std::optional<NextHourNowcast> summarise(QList<NowcastMinute> minutes, const QTimeZone &zone);

    // The model text of a nowcast: the summary line and every fifth minute.
    [[nodiscard]] static QString modelText(const NextHourNowcast &nowcast, const QTimeZone &zone);

    static constexpr qint64 kCacheSeconds = 300;

private:
    struct Entry
    {
        QDateTime at;
        std::optional<NextHourNowcast> value;
    };

    MinuteForecastProvider &m_provider;
    const Clock &m_clock;
    QHash<QString, Entry> m_cache;
};
