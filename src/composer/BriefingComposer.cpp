// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/BriefingComposer.h"

#include "composer/Generators.h"

#include <algorithm>

namespace composer {
namespace {

constexpr int kMaxSentences = 6;
constexpr int kTopUpTo = 4;
constexpr int kSecondSentenceScore = 25; // a beat's second sentence needs more than this

int quota(BriefingBeat beat)
{
    switch (beat) {
    case BriefingBeat::Today:
    case BriefingBeat::Week:
        return 2;
    case BriefingBeat::Tonight:
    case BriefingBeat::Tomorrow:
        return 1;
    }
    return 0;
}

void sortByScore(QList<BriefingCandidate> &list)
{
    std::stable_sort(list.begin(), list.end(),
        [](const BriefingCandidate &a, const BriefingCandidate &b) { return a.score > b.score; });
}

struct Selected
{
    BriefingBeat beat;
    QString text;
    bool mentionsPrecip;
};

} // namespace

QString categoryName(BriefingCategory category)
{
    switch (category) {
    case BriefingCategory::Alert:
        return QStringLiteral("alert");
    case BriefingCategory::Precip:
        return QStringLiteral("precip");
    case BriefingCategory::Temperature:
        return QStringLiteral("temperature");
    case BriefingCategory::Wind:
        return QStringLiteral("wind");
    case BriefingCategory::Comfort:
        return QStringLiteral("comfort");
    case BriefingCategory::Uv:
        return QStringLiteral("uv");
    case BriefingCategory::Overnight:
        return QStringLiteral("overnight");
    case BriefingCategory::Fog:
        return QStringLiteral("fog");
    case BriefingCategory::Tomorrow:
        return QStringLiteral("tomorrow");
    case BriefingCategory::Stretch:
        return QStringLiteral("stretch");
    case BriefingCategory::Climate:
        return QStringLiteral("climate");
    }
    return {};
}

QString horizonName(BriefingHorizon horizon)
{
    switch (horizon) {
    case BriefingHorizon::Now:
        return QStringLiteral("now");
    case BriefingHorizon::Today:
        return QStringLiteral("today");
    case BriefingHorizon::Tonight:
        return QStringLiteral("tonight");
    case BriefingHorizon::Tomorrow:
        return QStringLiteral("tomorrow");
    case BriefingHorizon::Stretch:
        return QStringLiteral("stretch");
    }
    return {};
}

BriefingBeat beatOf(BriefingHorizon horizon)
{
    switch (horizon) {
    case BriefingHorizon::Now:
    case BriefingHorizon::Today:
        return BriefingBeat::Today;
    case BriefingHorizon::Tonight:
        return BriefingBeat::Tonight;
    case BriefingHorizon::Tomorrow:
        return BriefingBeat::Tomorrow;
    case BriefingHorizon::Stretch:
        return BriefingBeat::Week;
    }
    return BriefingBeat::Week;
}

QList<BriefingCandidate> candidates(const WeatherFeatures &features)
{
    QList<BriefingCandidate> out;
    addAlert(features, out);
    addPrecipitation(features, out);
    addTemperature(features, out);
    addComfort(features, out);
    addWind(features, out);
    addOvernight(features, out);
    addFog(features, out);
    addUv(features, out);
    addTomorrow(features, out);
    addWeek(features, out);
    return out;
}

QList<QPair<BriefingBeat, QList<BriefingCandidate>>> groupByBeat(const QList<BriefingCandidate> &candidates)
{
    QList<QPair<BriefingBeat, QList<BriefingCandidate>>> groups;
    for (const BriefingBeat beat :
        { BriefingBeat::Today, BriefingBeat::Tonight, BriefingBeat::Tomorrow, BriefingBeat::Week }) {
        QList<BriefingCandidate> members;
        for (const BriefingCandidate &candidate : candidates) {
            if (beatOf(candidate.horizon) == beat) {
                members.append(candidate);
            }
        }
        if (!members.isEmpty()) {
            sortByScore(members);
            groups.append({ beat, members });
        }
    }
    return groups;
}

QStringList selectSentences(const QList<BriefingCandidate> &candidates)
{
    QList<Selected> selection;
    for (const auto &[beat, members] : groupByBeat(candidates)) {
        QList<BriefingCategory> used;
        int count = 0;
        for (const BriefingCandidate &candidate : members) {
            if (count >= quota(beat) || selection.size() >= kMaxSentences) {
                break;
            }
            if (used.contains(candidate.category) || (count > 0 && candidate.score <= kSecondSentenceScore)) {
                continue;
            }
            const bool precipTaken = std::any_of(selection.cbegin(), selection.cend(),
                [beat = beat](const Selected &s) { return s.beat == beat && s.mentionsPrecip; });
            if (candidate.mentionsPrecip && precipTaken) {
                continue;
            }
            used.append(candidate.category);
            selection.append({ beat, candidate.text, candidate.mentionsPrecip });
            ++count;
        }
    }
    if (selection.size() < kTopUpTo) {
        QList<BriefingCandidate> rest;
        for (const BriefingCandidate &candidate : candidates) {
            const bool taken = std::any_of(selection.cbegin(), selection.cend(),
                [&candidate](const Selected &s) { return s.text == candidate.text; });
            if (!taken) {
                rest.append(candidate);
            }
        }
        sortByScore(rest);
        for (const BriefingCandidate &candidate : std::as_const(rest)) {
            if (selection.size() >= kTopUpTo) {
                break;
            }
            selection.append({ beatOf(candidate.horizon), candidate.text, candidate.mentionsPrecip });
        }
    }
    QStringList texts;
    for (const Selected &s : std::as_const(selection)) {
        texts.append(s.text);
    }
    return texts;
}

std::optional<BriefingCandidate> topTodaySentence(const WeatherFeatures &features)
{
    const auto groups = groupByBeat(candidates(features));
    for (const auto &[beat, members] : groups) {
        if (beat == BriefingBeat::Today) {
            return members.constFirst();
        }
    }
    return std::nullopt;
}

} // namespace composer
