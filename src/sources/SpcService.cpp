// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/SpcService.h"

#include "net/AppError.h"
#include "net/Clock.h"
#include "net/HttpClient.h"
#include "net/OffThread.h"
#include "sources/Log.h"

#include <QStringList>
#include <QtDebug>

#include <algorithm>

namespace {

constexpr qint64 kDayMaxAgeMs = 1800LL * 1000;

} // namespace

SpcService::SpcService(
    QNetworkAccessManager &network, Endpoints endpoints, Clock &clock, std::chrono::milliseconds timeout)
    : m_network(network)
    , m_endpoints(std::move(endpoints))
    , m_clock(clock)
    , m_timeout(timeout)
{ }

const QMap<QString, qint64> &SpcService::riskLevels()
{
    static const QMap<QString, qint64> levels {
        { QStringLiteral("TSTM"), 0 },
        { QStringLiteral("MRGL"), 1 },
        { QStringLiteral("SLGT"), 2 },
        { QStringLiteral("ENH"), 3 },
        { QStringLiteral("MDT"), 4 },
        { QStringLiteral("HIGH"), 5 },
    };
    return levels;
}

qint64 SpcService::riskLevel(const QString &code)
{
    return riskLevels().value(code, 0);
}

bool SpcService::isCovered(double latitude, double longitude)
{
    return latitude >= 24.5 && latitude <= 49.5 && longitude >= -125.0 && longitude <= -66.5;
}

QCoro::Task<QList<SpcOutlookArea>> SpcService::outlookFeatures(int day, net::RequestGroup group)
{
    if (const auto it = m_cache.constFind(day); it != m_cache.cend() && it->at.msecsTo(m_clock.now()) < kDayMaxAgeMs) {
        co_return it->areas;
    }
    const QUrl url =
        Endpoints::url(m_endpoints.spc, QStringLiteral("/products/outlook/day%1otlk_cat.lyr.geojson").arg(day));
    QByteArray body = co_await net::getData(m_network, url, {}, m_timeout, std::move(group));
    // Named, not a temporary of the co_await expression: GCC 12 may destroy that twice.
    auto parsing = net::runOffThread([body = std::move(body)] { return SpcOutlookArea::parseOutlook(body); });
    QList<SpcOutlookArea> areas = co_await std::move(parsing);
    m_cache.insert(day, CachedDay { m_clock.now(), areas });
    co_return areas;
}

std::optional<SpcOutlookDay> SpcService::dayAt(
    const QList<SpcOutlookArea> &areas, int day, double latitude, double longitude)
{
    // The first containing area with the largest "DN": what a stable sort, largest first, puts
    // at the front.
    const SpcOutlookArea *chosen = nullptr;
    for (const SpcOutlookArea &area : areas) {
        if ((chosen == nullptr || area.dn > chosen->dn) && area.contains(longitude, latitude)) {
            chosen = &area;
        }
    }
    if (chosen == nullptr || !chosen->code) {
        return std::nullopt;
    }
    SpcOutlookDay result;
    result.day = day;
    result.code = *chosen->code;
    result.label = chosen->label.value_or(*chosen->code);
    result.level = riskLevel(*chosen->code);
    return result;
}

QCoro::Task<std::optional<QList<SpcOutlookDay>>> SpcService::convectiveOutlook(
    double latitude, double longitude, net::RequestGroup group)
{
    if (!isCovered(latitude, longitude)) {
        co_return std::nullopt;
    }
    QList<SpcOutlookDay> result;
    bool someDayFetched = false;
    for (int day = 1; day <= 3; ++day) {
        QList<SpcOutlookArea> areas;
        try {
            areas = co_await outlookFeatures(day, group);
        } catch (const std::exception &error) {
            qCInfo(sourcesLog).noquote() << "[spc] day" << day << "outlook failed:" << describeError(error);
            continue;
        }
        someDayFetched = true;
        auto testing = net::runOffThread(
            [areas = std::move(areas), day, latitude, longitude] { return dayAt(areas, day, latitude, longitude); });
        std::optional<SpcOutlookDay> found = co_await std::move(testing);
        if (found) {
            result.append(std::move(*found));
        }
    }
    if (!someDayFetched) {
        co_return std::nullopt;
    }
    co_return result;
}

QCoro::Task<std::optional<QString>> SpcService::convectiveOutlookText(
    double latitude, double longitude, net::RequestGroup group)
{
    const std::optional<QList<SpcOutlookDay>> days = co_await convectiveOutlook(latitude, longitude, std::move(group));
    if (!days) {
        co_return std::nullopt;
    }
    co_return modelText(*days);
}

QString SpcService::modelText(const QList<SpcOutlookDay> &days)
{
    static const QStringList names { QStringLiteral("Day 1 (today)"), QStringLiteral("Day 2 (tomorrow)"),
        QStringLiteral("Day 3") };
    QStringList lines { QStringLiteral("SPC convective (severe thunderstorm) outlook for this location:") };
    for (qint64 day = 1; day <= 3; ++day) {
        QString line = QStringLiteral("- ") + names.at(day - 1) + QStringLiteral(": ");
        const auto it =
            std::find_if(days.cbegin(), days.cend(), [day](const SpcOutlookDay &d) { return d.day == day; });
        if (it == days.cend()) {
            line += QStringLiteral("no thunderstorm outlook area");
        } else if (it->level >= 1) {
            line += it->label + QStringLiteral(" (severe risk level %1 of 5)").arg(it->level);
        } else {
            line += it->label + QStringLiteral(" (non-severe)");
        }
        lines.append(line);
    }
    return lines.join(QLatin1Char('\n'));
}
