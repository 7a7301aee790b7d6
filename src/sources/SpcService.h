// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Endpoints.h"
#include "net/HttpClient.h"
#include "net/RequestGroup.h"
#include "sources/SpcOutlookArea.h"
#include "weather/SpcOutlookDay.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>

#include <QCoroTask>

#include <optional>

class Clock;
class QNetworkAccessManager;

// Whether a place lies inside an area of the Storm Prediction Center's categorical convective
// outlook for days 1 to 3, and at which category. The national outlook file of each day is kept
// for 30 minutes. Places outside the contiguous United States get no answer and no request.
// Files are parsed and places tested on a worker thread; a national file runs to megabytes.
class SpcService
{
public:
    SpcService(QNetworkAccessManager &network, Endpoints endpoints, Clock &clock,
        std::chrono::milliseconds timeout = net::kDefaultTimeout);

    // Category code to level: "TSTM" 0, "MRGL" 1, "SLGT" 2, "ENH" 3, "MDT" 4, "HIGH" 5.
    [[nodiscard]] static const QMap<QString, qint64> &riskLevels();
    // The level of a category code; 0 for a code not in riskLevels().
    [[nodiscard]] static qint64 riskLevel(const QString &code);

    // 24.5 ≤ latitude ≤ 49.5 and -125 ≤ longitude ≤ -66.5, bounds included.
    [[nodiscard]] static bool isCovered(double latitude, double longitude);

    // The areas of the day's outlook file (1, 2 or 3), from the cache when it is younger than
    // 30 minutes. Throws HttpError, NetworkError or JsonError when the file cannot be had.
    [[nodiscard]] QCoro::Task<QList<SpcOutlookArea>> outlookFeatures(int day, net::RequestGroup group = {});

    // One record per day whose outlook has an area containing the place, in day order. Absent
    // outside the coverage box, or when none of the three days could be fetched. Never fails.
    [[nodiscard]] QCoro::Task<std::optional<QList<SpcOutlookDay>>> convectiveOutlook(
        double latitude, double longitude, net::RequestGroup group = {});

    // The outlook section of the model's forecast data for the place (see modelText), or absent
    // when convectiveOutlook is absent. Never fails.
    [[nodiscard]] QCoro::Task<std::optional<QString>> convectiveOutlookText(
        double latitude, double longitude, net::RequestGroup group = {});

    // The record for one day: the containing area with the largest "DN" (the first of equals in
    // file order), absent when no area contains the place or the chosen one has no "LABEL".
    [[nodiscard]] static std::optional<SpcOutlookDay> dayAt(
        const QList<SpcOutlookArea> &areas, int day, double latitude, double longitude);

    // "SPC convective (severe thunderstorm) outlook for this location:" and one line per day 1-3.
    [[nodiscard]] static QString modelText(const QList<SpcOutlookDay> &days);

private:
    struct CachedDay
    {
        QDateTime at;
        QList<SpcOutlookArea> areas;
    };

    QNetworkAccessManager &m_network;
    Endpoints m_endpoints;
    Clock &m_clock;
    std::chrono::milliseconds m_timeout;
    QHash<int, CachedDay> m_cache;
};
