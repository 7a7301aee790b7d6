// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/TimePhrases.h"

#include "composer/WeatherFeatures.h"

namespace composer {

QString daypartName(int hour)
{
    if (hour >= 5 && hour <= 6) {
        return QStringLiteral("around sunrise");
    }
    if (hour >= 7 && hour <= 8) {
        return QStringLiteral("early morning");
    }
    if (hour >= 9 && hour <= 10) {
        return QStringLiteral("mid-morning");
    }
    if (hour >= 11 && hour <= 12) {
        return QStringLiteral("midday");
    }
    if (hour >= 13 && hour <= 14) {
        return QStringLiteral("early afternoon");
    }
    if (hour >= 15 && hour <= 16) {
        return QStringLiteral("late afternoon");
    }
    if (hour >= 17 && hour <= 19) {
        return QStringLiteral("this evening");
    }
    if (hour >= 20 && hour <= 22) {
        return QStringLiteral("tonight");
    }
    return QStringLiteral("overnight");
}

QString timeOfDayPhrase(int hour)
{
    if (hour >= 5 && hour <= 8) {
        return QStringLiteral("early in the morning");
    }
    if (hour >= 9 && hour <= 11) {
        return QStringLiteral("through the morning");
    }
    if (hour >= 12 && hour <= 14) {
        return QStringLiteral("around midday");
    }
    if (hour >= 15 && hour <= 17) {
        return QStringLiteral("in the afternoon");
    }
    if (hour >= 18 && hour <= 20) {
        return QStringLiteral("in the evening");
    }
    if (hour >= 21 && hour <= 23) {
        return QStringLiteral("late in the evening");
    }
    return QStringLiteral("overnight");
}

QString skyPhrase(qint64 weatherCode, double cloudCover)
{
    switch (weatherCode) {
    case 0:
        return QStringLiteral("full sun");
    case 1:
        return QStringLiteral("mostly sunny skies");
    case 2:
        return QStringLiteral("sun and clouds");
    case 3:
        return QStringLiteral("cloudy skies");
    case 45:
    case 48:
        return QStringLiteral("fog");
    default:
        break;
    }
    if (cloudCover < 25) {
        return QStringLiteral("plenty of sun");
    }
    if (cloudCover < 60) {
        return QStringLiteral("sun and clouds");
    }
    return QStringLiteral("cloudy skies");
}

QString episodeTiming(const PrecipEpisode &episode, const WeatherFeatures &features)
{
    const ForecastClock &clock = features.clock;
    if (episode.isOngoing) {
        const double hoursLeft = static_cast<double>(features.now.secsTo(episode.end)) / 3600.0;
        if (hoursLeft <= 1.5) {
            return QStringLiteral("for another hour or so");
        }
        if (hoursLeft >= 8) {
            return QStringLiteral("on and off through the day");
        }
        return QStringLiteral("through about ") + clock.hourLabel(episode.end);
    }
    const double hoursUntil = static_cast<double>(features.now.secsTo(episode.start)) / 3600.0;
    const bool soon = hoursUntil <= 6;
    QString base;
    if (soon) {
        base = QStringLiteral("around ") + clock.hourLabel(episode.start);
    } else {
        base = daypartName(clock.hour(episode.start));
        if (!clock.isSameDay(episode.start, features.now)) {
            base = QStringLiteral("tomorrow ") + base.remove(QStringLiteral("this "));
        }
    }
    if (episode.hours >= 6) {
        base += QStringLiteral(" and lingering");
    } else if (soon && episode.hours >= 2) {
        base += QStringLiteral(", winding down by ") + clock.hourLabel(episode.end);
    }
    return base;
}

quint32 stableHash(const QStringList &parts)
{
    constexpr quint64 offsetBasis = 14695981039346656037ULL;
    constexpr quint64 prime = 1099511628211ULL;
    quint64 hash = offsetBasis;
    for (const char byte : parts.join(u'|').toUtf8()) {
        hash ^= static_cast<quint8>(byte);
        hash *= prime;
    }
    return static_cast<quint32>(hash & 2147483647ULL);
}

quint32 variantSeed(const WeatherFeatures &features, const QString &key)
{
    return stableHash(
        { features.current.time.left(10), QString::number(features.localHour / 6), features.clock.timeZoneId(), key });
}

} // namespace composer
