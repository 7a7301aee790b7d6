// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "composer/WeatherFeatures.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// Writes a short briefing in Merrin's voice from forecast features, without a language model.
// Generators make candidate sentences; selection picks a few in the order of the day's beats.

enum class BriefingCategory {
    Alert,
    Precip,
    Temperature,
    Wind,
    Comfort,
    Uv,
    Overnight,
    Fog,
    Tomorrow,
    Stretch,
    Climate
};

enum class BriefingHorizon { Now, Today, Tonight, Tomorrow, Stretch };

// Also the order in which beats are filled.
enum class BriefingBeat { Today, Tonight, Tomorrow, Week };

struct BriefingCandidate
{
    BriefingCategory category = BriefingCategory::Temperature;
    BriefingHorizon horizon = BriefingHorizon::Today;
    int score = 0; // higher is more important
    QString text; // one finished sentence
    bool mentionsPrecip = false;

    bool operator==(const BriefingCandidate &) const = default;
};

namespace composer {

// "alert", "precip", "temperature", ..., as the categories are named.
[[nodiscard]] QString categoryName(BriefingCategory category);
// "now", "today", "tonight", "tomorrow", "stretch".
[[nodiscard]] QString horizonName(BriefingHorizon horizon);
[[nodiscard]] BriefingBeat beatOf(BriefingHorizon horizon);

// Every candidate sentence, in generator order: alert, precipitation, temperature, comfort, wind,
// overnight, fog, UV, tomorrow, week.
[[nodiscard]] QList<BriefingCandidate> candidates(const WeatherFeatures &features);

// Each beat that has candidates, in beat order, with its candidates by score from high to low
// (equal scores keep generator order).
[[nodiscard]] QList<QPair<BriefingBeat, QList<BriefingCandidate>>> groupByBeat(
    const QList<BriefingCandidate> &candidates);

// The texts of the briefing, in the order they are read.
[[nodiscard]] QStringList selectSentences(const QList<BriefingCandidate> &candidates);

// The strongest candidate of the today beat, if there is one.
[[nodiscard]] std::optional<BriefingCandidate> topTodaySentence(const WeatherFeatures &features);

} // namespace composer
