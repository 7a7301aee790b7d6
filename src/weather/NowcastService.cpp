// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/NowcastService.h"

#include "net/AppError.h"
#include "net/Clock.h"
#include "text/DateText.h"
#include "text/NumberText.h"
#include "weather/Log.h"

#include <QDebug>

#include <exception>

namespace {

constexpr double kWetChance = 0.3;
constexpr qsizetype kMaxMinutes = 61;

QString clockTime(const QDateTime &instant, const QTimeZone &zone)
{
    return text::formatDate(instant, QStringLiteral("h:mm a"), zone);
}

} // namespace

NowcastService::NowcastService(MinuteForecastProvider &provider, const Clock &clock)
    : m_provider(provider)
    , m_clock(clock)
{ }

std::optional<NextHourNowcast> NowcastService::summarise(QList<NowcastMinute> minutes, const QTimeZone &zone)
{
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < minutes.size(); ++i) {
        if (minutes.at(i).chance >= kWetChance) {
            if (first < 0) {
                first = i;
            }
            last = i;
        }
    }
    if (first < 0) {
        return std::nullopt;
    }
    const qsizetype n = minutes.size();
    const bool atStart = first < 2;
    const bool toEnd = last >= n - 5;
    const QString firstTime = clockTime(minutes.at(first).date, zone);
    const QString lastTime = clockTime(minutes.at(last).date, zone);
    QString summary;
    if (atStart && toEnd) {
        summary = QStringLiteral("Rain continuing through the next hour");
    } else if (atStart) {
        summary = QStringLiteral("Rain ending around ") + lastTime;
    } else if (toEnd) {
        summary = QStringLiteral("Rain starting around ") + firstTime;
    } else {
        summary = QStringLiteral("Rain from about ") + firstTime + QStringLiteral(" to ") + lastTime;
    }
    return NextHourNowcast { std::move(minutes), summary };
}

QCoro::Task<std::optional<NextHourNowcast>> NowcastService::nextHourNowcast(
    double latitude, double longitude, QString timezone, net::RequestGroup group)
{
    const QString key = text::cformat("%.2f,%.2f", latitude, longitude);
    const QDateTime now = m_clock.now();
    if (const auto it = m_cache.constFind(key); it != m_cache.cend() && it->at.msecsTo(now) < kCacheSeconds * 1000) {
        co_return it->value;
    }

    std::optional<QList<NowcastMinute>> forecast;
    try {
        forecast = co_await m_provider.minuteForecast(latitude, longitude, std::move(group));
    } catch (const std::exception &error) {
        // A request given up by its caller says nothing about the service: it is not remembered.
        const auto *network = dynamic_cast<const NetworkError *>(&error);
        if (network == nullptr || !network->isCancelled()) {
            qCWarning(weatherLog).noquote() << "[nowcast] minute forecast failed: " + describeError(error);
            m_cache.insert(key, Entry { now, std::nullopt });
        }
        co_return std::nullopt;
    }
    if (!forecast) {
        qCInfo(weatherLog).noquote() << "[nowcast] minute forecast unavailable for this location";
        m_cache.insert(key, Entry { now, std::nullopt });
        co_return std::nullopt;
    }

    const QDateTime earliest = now.addSecs(-60);
    QList<NowcastMinute> kept;
    for (const NowcastMinute &minute : *forecast) {
        if (kept.size() == kMaxMinutes) {
            break;
        }
        if (minute.date >= earliest) {
            kept.append(minute);
        }
    }
    const qsizetype count = kept.size();
    std::optional<NextHourNowcast> result = summarise(std::move(kept), text::zoneOrSystem(timezone));
    qCInfo(weatherLog).noquote() << QStringLiteral("[nowcast] minute forecast ok: %1 minutes, rain expected: %2")
                                        .arg(count)
                                        .arg(result ? QStringLiteral("true") : QStringLiteral("false"));
    m_cache.insert(key, Entry { now, result });
    co_return result;
}

QString NowcastService::modelText(const NextHourNowcast &nowcast, const QTimeZone &zone)
{
    QString text = QStringLiteral("Minute-by-minute rain nowcast (next hour, from Open-Meteo 15-minute data): ")
        + nowcast.summary + QLatin1Char('.');
    for (qsizetype i = 0; i < nowcast.minutes.size(); i += 5) {
        const NowcastMinute &minute = nowcast.minutes.at(i);
        const QByteArray time = clockTime(minute.date, zone).toUtf8();
        text += QLatin1Char('\n')
            + text::cformat(
                "- %s: %.0f%% chance, %.1f mm/hr", time.constData(), minute.chance * 100.0, minute.intensity);
    }
    return text;
}

QCoro::Task<std::optional<QString>> NowcastService::nowcastText(
    double latitude, double longitude, QString timezone, net::RequestGroup group)
{
    const std::optional<NextHourNowcast> nowcast =
        co_await nextHourNowcast(latitude, longitude, timezone, std::move(group));
    if (!nowcast) {
        co_return std::nullopt;
    }
    co_return modelText(*nowcast, text::zoneOrSystem(timezone));
}
