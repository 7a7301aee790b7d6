// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/Generators.h"

#include "composer/TimePhrases.h"

namespace composer {
namespace {

// Whether a later episode e of the day is more worth talking about than the current choice b.
bool outranks(const PrecipEpisode &e, const PrecipEpisode &b)
{
    const bool eStrong = isWintry(e.type) || e.type == PrecipType::Storms;
    if (isWintry(b.type)) {
        return false;
    }
    if (b.type == PrecipType::Storms) {
        return isWintry(e.type);
    }
    if (b.hours >= 6) {
        return eStrong;
    }
    if (b.peakProbability >= 60) {
        return eStrong || e.hours >= 6;
    }
    return eStrong || e.hours >= 6 || e.peakProbability >= 60;
}

} // namespace

QString pick(const WeatherFeatures &f, const QString &key, const QStringList &variants)
{
    if (variants.isEmpty()) {
        return {};
    }
    return variants.at(static_cast<qsizetype>(variantSeed(f, key) % static_cast<quint32>(variants.size())));
}

QString capitalized(const QString &text)
{
    if (text.isEmpty()) {
        return text;
    }
    return text.at(0).toUpper() + text.mid(1);
}

QString precipWord(PrecipType type)
{
    switch (type) {
    case PrecipType::Drizzle:
        return QStringLiteral("drizzle");
    case PrecipType::Rain:
        return QStringLiteral("rain");
    case PrecipType::Showers:
        return QStringLiteral("showers");
    case PrecipType::Storms:
        return QStringLiteral("showers and storms");
    case PrecipType::Snow:
        return QStringLiteral("snow");
    case PrecipType::SnowShowers:
        return QStringLiteral("snow showers");
    case PrecipType::Mixed:
        return QStringLiteral("a wintry mix");
    case PrecipType::Freezing:
        return QStringLiteral("freezing rain");
    }
    return {};
}

bool precipIsPlural(PrecipType type)
{
    return type == PrecipType::Showers || type == PrecipType::Storms || type == PrecipType::SnowShowers;
}

bool isWintry(PrecipType type)
{
    return type == PrecipType::Snow || type == PrecipType::SnowShowers || type == PrecipType::Mixed
        || type == PrecipType::Freezing;
}

PrecipEpisode mainEpisode(const QList<PrecipEpisode> &episodes)
{
    PrecipEpisode best = episodes.constFirst();
    for (qsizetype i = 1; i < episodes.size(); ++i) {
        if (outranks(episodes.at(i), best)) {
            best = episodes.at(i);
        }
    }
    return best;
}

QString temperatureWord(double value, bool fahrenheit)
{
    if (value >= (fahrenheit ? 89.6 : 32.0)) {
        return QStringLiteral("hot");
    }
    if (value >= (fahrenheit ? 75.2 : 24.0)) {
        return QStringLiteral("warm");
    }
    if (value >= (fahrenheit ? 59.0 : 15.0)) {
        return QStringLiteral("mild");
    }
    if (value >= (fahrenheit ? 41.0 : 5.0)) {
        return QStringLiteral("cool");
    }
    return QStringLiteral("cold");
}

} // namespace composer
