// SPDX-License-Identifier: GPL-3.0-or-later
// The composer's sentence generators and the helpers they share; used only inside the composer.
#pragma once

#include "composer/BriefingComposer.h"

#include <QStringList>

#include <initializer_list>

namespace composer {

// Today's beat and the night: alert, precipitation (nowcast or episode), temperature, comfort,
// wind, overnight, fog, UV.
void addAlert(const WeatherFeatures &f, QList<BriefingCandidate> &out);
void addPrecipitation(const WeatherFeatures &f, QList<BriefingCandidate> &out);
void addTemperature(const WeatherFeatures &f, QList<BriefingCandidate> &out);
void addComfort(const WeatherFeatures &f, QList<BriefingCandidate> &out);
void addWind(const WeatherFeatures &f, QList<BriefingCandidate> &out);
void addOvernight(const WeatherFeatures &f, QList<BriefingCandidate> &out);
void addFog(const WeatherFeatures &f, QList<BriefingCandidate> &out);
void addUv(const WeatherFeatures &f, QList<BriefingCandidate> &out);
// Tomorrow and the week: regimes, climate, front, weekend, next rain, trend.
void addTomorrow(const WeatherFeatures &f, QList<BriefingCandidate> &out);
void addWeek(const WeatherFeatures &f, QList<BriefingCandidate> &out);

// The phrasing of family `key`: variant number variantSeed mod the number of variants.
[[nodiscard]] QString pick(const WeatherFeatures &f, const QString &key, const QStringList &variants);

// The text with its first letter upper-cased.
[[nodiscard]] QString capitalized(const QString &text);

// "rain", "showers and storms", "a wintry mix"; plural words take "are"/"move"/"look".
[[nodiscard]] QString precipWord(PrecipType type);
[[nodiscard]] bool precipIsPlural(PrecipType type);
[[nodiscard]] bool isWintry(PrecipType type);

// The most significant of a day's episodes (the first one unless a later one outranks it).
[[nodiscard]] PrecipEpisode mainEpisode(const QList<PrecipEpisode> &episodes);

// "hot", "warm", "mild", "cool" or "cold".
[[nodiscard]] QString temperatureWord(double value, bool fahrenheit);

} // namespace composer
