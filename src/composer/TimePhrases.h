// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

struct PrecipEpisode;
struct WeatherFeatures;

// Fixed phrase tables the composer's sentences are built from.
namespace composer {

// The part of the day an hour (0 to 23) falls in: "around sunrise", "midday", "this evening", "overnight".
[[nodiscard]] QString daypartName(int hour);
// An adverbial phrase for an hour: "early in the morning", "around midday", "late in the evening".
[[nodiscard]] QString timeOfDayPhrase(int hour);
// The sky in words; the weather code decides first, the cloud cover (percent) only for other codes.
[[nodiscard]] QString skyPhrase(qint64 weatherCode, double cloudCover);
// When an episode happens, relative to the features' now: "around 3pm, winding down by 7pm",
// "tomorrow evening", "through about 5pm".
[[nodiscard]] QString episodeTiming(const PrecipEpisode &episode, const WeatherFeatures &features);

// 64-bit FNV-1a over the UTF-8 bytes of the parts joined with "|", low 31 bits.
[[nodiscard]] quint32 stableHash(const QStringList &parts);
// The phrasing seed of a sentence family: the same within one six-hour block of the local day.
[[nodiscard]] quint32 variantSeed(const WeatherFeatures &features, const QString &key);

} // namespace composer
