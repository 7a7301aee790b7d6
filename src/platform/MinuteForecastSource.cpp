// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MinuteForecastSource.h"

#include "net/Clock.h"
#include "net/HttpClient.h"
#include "net/JsonReaders.h"
#include "text/NumberText.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr qint64 kStepSeconds = 15 * 60;

struct Step
{
    qint64 time = 0; // end of the step's quarter hour, unix seconds
    std::optional<double> amount;
    std::optional<double> probability;
};

} // namespace

MinuteForecastSource::MinuteForecastSource(
    QNetworkAccessManager &network, Endpoints endpoints, const Clock &clock, std::chrono::milliseconds timeout)
    : m_network(network)
    , m_endpoints(std::move(endpoints))
    , m_clock(clock)
    , m_timeout(timeout)
{ }

MinuteForecastSource::QueryItems MinuteForecastSource::query(double latitude, double longitude)
{
    return {
        { QStringLiteral("latitude"), text::shortestDecimal(latitude) },
        { QStringLiteral("longitude"), text::shortestDecimal(longitude) },
        { QStringLiteral("minutely_15"), QStringLiteral("precipitation,precipitation_probability") },
        { QStringLiteral("past_minutely_15"), QStringLiteral("1") },
        { QStringLiteral("forecast_minutely_15"), QStringLiteral("8") },
        { QStringLiteral("timezone"), QStringLiteral("GMT") },
        { QStringLiteral("timeformat"), QStringLiteral("unixtime") },
    };
}

NowcastAttribution MinuteForecastSource::attribution() const
{
    return NowcastAttribution { QUrl(QStringLiteral("https://open-meteo.com/en/license")), std::nullopt, std::nullopt };
}

QCoro::Task<std::optional<QList<NowcastMinute>>> MinuteForecastSource::minuteForecast(
    double latitude, double longitude, net::RequestGroup group)
{
    const QUrl url =
        Endpoints::url(m_endpoints.openMeteoForecast, QStringLiteral("/v1/forecast"), query(latitude, longitude));
    const QDateTime now = m_clock.now();
    const QByteArray body = co_await net::getData(m_network, url, {}, m_timeout, std::move(group));
    co_return minutesFromReply(json::parseObject(body), now);
}

std::optional<QList<NowcastMinute>> MinuteForecastSource::minutesFromReply(
    const QJsonObject &reply, const QDateTime &now)
{
    const auto series = json::object(reply, QLatin1StringView("minutely_15"));
    if (!series) {
        return std::nullopt;
    }
    const json::NumberList times = json::numberList(*series, QLatin1StringView("time"), json::kMaxUnixTime);
    const json::NumberList amounts = json::numberList(*series, QLatin1StringView("precipitation"));
    const json::NumberList chances = json::numberList(*series, QLatin1StringView("precipitation_probability"));

    // Steps with a readable time, in time order (the service sends them so; sorting costs little).
    QList<Step> steps;
    steps.reserve(times.size());
    for (qsizetype i = 0; i < times.size(); ++i) {
        const auto t = times.at(i);
        if (!t || !std::isfinite(*t) || std::abs(*t) > 1e13) {
            continue;
        }
        steps.append(Step { static_cast<qint64>(std::floor(*t)), json::at(amounts, i), json::at(chances, i) });
    }
    std::stable_sort(steps.begin(), steps.end(), [](const Step &a, const Step &b) { return a.time < b.time; });

    const qint64 nowSeconds = now.toSecsSinceEpoch();
    const qint64 currentMinute = nowSeconds - ((nowSeconds % 60) + 60) % 60;
    QList<NowcastMinute> minutes;
    minutes.reserve(62);
    for (qint64 m = currentMinute - 60; m <= currentMinute + 60 * 60; m += 60) {
        // The first step whose end is not before the minute: its interval (t − 15 min, t] holds m
        // when t − 15 min < m.
        const auto it = std::lower_bound(
            steps.cbegin(), steps.cend(), m, [](const Step &step, qint64 value) { return step.time < value; });
        if (it == steps.cend() || it->time - kStepSeconds >= m || !it->amount) {
            continue;
        }
        const double intensity = *it->amount * 4.0;
        const double chance = it->probability ? *it->probability / 100.0 : (intensity > 0 ? 1.0 : 0.0);
        minutes.append(NowcastMinute { QDateTime::fromSecsSinceEpoch(m, Qt::UTC), chance, intensity });
    }
    if (minutes.isEmpty()) {
        return std::nullopt;
    }
    return minutes;
}
