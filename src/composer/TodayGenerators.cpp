// SPDX-License-Identifier: GPL-3.0-or-later
// The sentences about now, today and tonight.
#include "composer/Generators.h"

#include "composer/TimePhrases.h"

#include <algorithm>
#include <cmath>

namespace composer {
namespace {

BriefingCandidate candidate(
    BriefingCategory category, BriefingHorizon horizon, int score, const QString &text, bool mentionsPrecip = false)
{
    return BriefingCandidate { category, horizon, score, text, mentionsPrecip };
}

// "A Flood Warning", "An Excessive Heat Warning".
QString withArticle(const QString &event)
{
    const QChar first = event.isEmpty() ? QChar() : event.at(0).toUpper();
    const bool vowel = first == u'A' || first == u'E' || first == u'I' || first == u'O' || first == u'U';
    return (vowel ? QStringLiteral("An ") : QStringLiteral("A ")) + event;
}

// An ISO 8601 instant with a zone designator, as alerts carry them.
std::optional<QDateTime> isoInstant(const QString &text)
{
    const QDateTime instant = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!instant.isValid() || instant.timeSpec() == Qt::LocalTime) {
        return std::nullopt;
    }
    return instant;
}

QString episodeSentence(const WeatherFeatures &f, const PrecipEpisode &episode)
{
    const QString word = precipWord(episode.type);
    const QString Word = capitalized(word);
    const bool plural = precipIsPlural(episode.type);
    const QString timing = episodeTiming(episode, f);
    const QString be = plural ? QStringLiteral("are") : QStringLiteral("is");
    const double p = episode.peakProbability;
    const QString key = QStringLiteral("precip");
    if (p >= 80) {
        return pick(f, key,
            { Word + u' ' + (plural ? QStringLiteral("move") : QStringLiteral("moves")) + QStringLiteral(" in ")
                    + timing + u'.',
                QStringLiteral("Expect ") + word + u' ' + timing + u'.',
                QStringLiteral("Count on ") + word + u' ' + timing + u'.' });
    }
    if (p >= 60) {
        return pick(f, key,
            { Word + u' ' + be + QStringLiteral(" likely ") + timing + u'.',
                QStringLiteral("Expect ") + word + u' ' + timing + u'.',
                Word + QStringLiteral(" look") + (plural ? QString() : QStringLiteral("s")) + QStringLiteral(" likely ")
                    + timing + u'.' });
    }
    if (p >= 40) {
        return pick(f, key,
            { QStringLiteral("There's a good chance of ") + word + u' ' + timing + u'.',
                QStringLiteral("A good chance of ") + word + u' ' + timing + u'.',
                QStringLiteral("Decent odds of ") + word + u' ' + timing + u'.' });
    }
    if (p >= 30) {
        return pick(f, key,
            { QStringLiteral("There's a chance of ") + word + u' ' + timing + u'.',
                QStringLiteral("A chance of ") + word + u' ' + timing + u'.',
                QStringLiteral("Some ") + word + u' ' + be + QStringLiteral(" possible ") + timing + u'.' });
    }
    return pick(f, key,
        { QStringLiteral("A slight chance of ") + word + u' ' + timing + u'.',
            QStringLiteral("An outside chance of ") + word + u' ' + timing + u'.',
            QStringLiteral("Maybe a bit of ") + word + u' ' + timing + u'.' });
}

int episodeScore(const PrecipEpisode &episode)
{
    if (isWintry(episode.type)) {
        return 70;
    }
    if (episode.type == PrecipType::Storms) {
        return 60;
    }
    if (episode.hours >= 6) {
        return 50;
    }
    return episode.peakProbability >= 60 ? 40 : 25;
}

// How today compares with yesterday, or nothing: ", about 10 degrees warmer than yesterday".
QString comparisonSuffix(const WeatherFeatures &f)
{
    if (f.isAfterSunset) {
        return {};
    }
    if (f.comparisonDelta && std::abs(*f.comparisonDelta) >= temperatureStep(f.units.fahrenheit)) {
        const double delta = *f.comparisonDelta;
        const QString n = QString::number(roundedHalfAway(std::abs(delta) / 5.0) * 5);
        const QString key = QStringLiteral("compare");
        if (delta > 0) {
            return QStringLiteral(", ")
                + pick(f, key,
                    { QStringLiteral("about ") + n + QStringLiteral(" degrees warmer than yesterday"),
                        QStringLiteral("a good ") + n + QStringLiteral(" degrees up on yesterday"),
                        QStringLiteral("noticeably milder than yesterday") });
        }
        return QStringLiteral(", ")
            + pick(f, key,
                { QStringLiteral("about ") + n + QStringLiteral(" degrees cooler than yesterday"),
                    QStringLiteral("a good ") + n + QStringLiteral(" degrees down on yesterday"),
                    QStringLiteral("noticeably cooler than yesterday") });
    }
    if (f.yesterdayWasWet && f.todayEpisodes.isEmpty()) {
        return QStringLiteral(", ")
            + pick(f, QStringLiteral("compare-dry"),
                { QStringLiteral("a welcome break after yesterday's rain"),
                    QStringLiteral("a drier day than yesterday") });
    }
    return {};
}

} // namespace

void addAlert(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    if (f.alerts.isEmpty()) {
        return;
    }
    const NwsAlert *alert = &f.alerts.constFirst();
    for (const NwsAlert &other : f.alerts) {
        if (alertSeverityRank(other.severity) < alertSeverityRank(alert->severity)) {
            alert = &other;
        }
    }
    QString text = withArticle(alert->event) + QStringLiteral(" is in effect");
    if (alert->ends) {
        if (const auto ends = isoInstant(*alert->ends)) {
            const qint64 seconds = f.now.secsTo(*ends);
            if (seconds > 0 && seconds < 24 * 3600) {
                text += QStringLiteral(" through ") + f.clock.hourLabel(*ends);
            }
        }
    }
    const int score = alertSeverityRank(alert->severity) <= 1 ? 100 : 80;
    out.append(candidate(BriefingCategory::Alert, BriefingHorizon::Now, score, text + u'.'));
}

void addPrecipitation(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    if (f.nowcast) {
        out.append(candidate(BriefingCategory::Precip, BriefingHorizon::Now, 75, f.nowcast->summary + u'.', true));
        return;
    }
    if (f.todayEpisodes.isEmpty()) {
        return;
    }
    const PrecipEpisode episode = mainEpisode(f.todayEpisodes);
    out.append(candidate(
        BriefingCategory::Precip, BriefingHorizon::Today, episodeScore(episode), episodeSentence(f, episode), true));
}

void addTemperature(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    const bool fahrenheit = f.units.fahrenheit;
    const double apparent = f.today.apparentMax;
    const QString hi = f.units.temperature(f.today.tempMax);
    const QString feels = f.units.temperature(f.today.apparentMax);
    const QString suffix = comparisonSuffix(f);
    const auto add = [&](int score, const QString &text) {
        out.append(candidate(BriefingCategory::Temperature, BriefingHorizon::Today, score, text));
    };

    if (apparent >= (fahrenheit ? 95.0 : 35.0)) {
        const int score = apparent >= (fahrenheit ? 104.9 : 40.5) ? 68 : 55;
        add(score,
            pick(f, QStringLiteral("heat"),
                { QStringLiteral("It's a hot one — ") + hi + QStringLiteral(", feeling more like ") + feels
                        + QStringLiteral(" in the afternoon."),
                    QStringLiteral("Heat is the story today: ") + hi + QStringLiteral(", and it feels closer to ")
                        + feels + u'.',
                    QStringLiteral("Expect real heat, ") + hi + QStringLiteral(" on the thermometer and ") + feels
                        + QStringLiteral(" to the skin.") }));
        return;
    }
    if (apparent <= (fahrenheit ? 32.0 : 0.0)) {
        add(55,
            pick(f, QStringLiteral("cold"),
                { QStringLiteral("It stays cold all day, never getting past ") + hi + suffix + u'.',
                    QStringLiteral("A cold one — ") + hi + QStringLiteral(" at best, and the wind makes it feel like ")
                        + feels + suffix + u'.',
                    QStringLiteral("Bundle up: ") + hi + QStringLiteral(" for a high, feeling like ") + feels + suffix
                        + u'.' }));
        return;
    }
    if (std::abs(f.feelsLikeGap) >= (fahrenheit ? 5.4 : 3.0)) {
        const QString key = QStringLiteral("feels");
        if (f.feelsLikeGap > 0) {
            add(44,
                pick(f, key,
                    { hi + QStringLiteral(" today, though the humidity makes it feel more like ") + feels + suffix
                            + u'.',
                        QStringLiteral("The thermometer says ") + hi + QStringLiteral(", but it'll feel closer to ")
                            + feels + suffix + u'.',
                        QStringLiteral("Highs near ") + hi + QStringLiteral(", feeling like ") + feels
                            + QStringLiteral(" once the humidity is factored in") + suffix + u'.' }));
        } else {
            add(44,
                pick(f, key,
                    { hi + QStringLiteral(" today, but the wind makes it feel like ") + feels + suffix + u'.',
                        QStringLiteral("Highs near ") + hi + QStringLiteral(" — factor in the wind and it's more like ")
                            + feels + suffix + u'.',
                        hi + QStringLiteral(" on paper, ") + feels
                            + QStringLiteral(" in reality once the wind gets going") + suffix + u'.' }));
        }
        return;
    }
    const QString sky = skyPhrase(f.today.weatherCode, f.current.cloudCover);
    const QString Sky = capitalized(sky);
    const QString key = QStringLiteral("mild");
    if (!f.todayEpisodes.isEmpty()) {
        add(28,
            pick(f, key,
                { Sky + QStringLiteral(" otherwise, with a high near ") + hi + suffix + u'.',
                    QStringLiteral("Highs reach ") + hi + QStringLiteral(" in between") + suffix + u'.',
                    QStringLiteral("Around ") + hi + QStringLiteral(" for a high") + suffix + u'.' }));
        return;
    }
    const double high = f.today.tempMax;
    if (fahrenheit ? (high >= 59 && high <= 84.2) : (high >= 15 && high <= 29)) {
        add(32,
            pick(f, key,
                { Sky + QStringLiteral(" and pleasant, topping out near ") + hi + suffix + u'.',
                    QStringLiteral("A comfortable one — ") + sky + QStringLiteral(", with a high around ") + hi + suffix
                        + u'.',
                    QStringLiteral("Easy weather today: ") + sky + QStringLiteral(" and ") + hi
                        + QStringLiteral(" for a high") + suffix + u'.' }));
        return;
    }
    add(28,
        pick(f, key,
            { Sky + QStringLiteral(" today, with a high near ") + hi + suffix + u'.',
                Sky + QStringLiteral(" and ") + hi + QStringLiteral(" for a high") + suffix + u'.',
                QStringLiteral("Look for ") + sky + QStringLiteral(" and a high around ") + hi + suffix + u'.' }));
}

void addComfort(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    if (!f.comfort || f.today.tempMax < (f.units.fahrenheit ? 59.0 : 15.0)) {
        return;
    }
    QStringList variants;
    if (*f.comfort == Comfort::Dry) {
        variants = { QStringLiteral("The air is dry and crisp — a genuinely nice change."),
            QStringLiteral("Low humidity makes it feel lighter than the number suggests."),
            QStringLiteral("Dry air all day, which takes the edge off.") };
    } else if (*f.comfort >= Comfort::Muggy) {
        variants = { QStringLiteral("The air stays muggy right through the afternoon."),
            QStringLiteral("It's the humidity that'll get you today — sticky from morning on."),
            QStringLiteral("Expect that heavy, muggy feel all day.") };
    } else {
        return;
    }
    out.append(
        candidate(BriefingCategory::Comfort, BriefingHorizon::Today, 26, pick(f, QStringLiteral("comfort"), variants)));
}

void addWind(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    const double gusts = f.today.windGustsMax;
    const double sustained = f.today.windSpeedMax;
    const bool mph = f.units.mph;
    const bool windy = mph ? (gusts >= 34.796776 || sustained >= 24.85484) : (gusts >= 56 || sustained >= 40);
    if (!windy) {
        return;
    }
    const double t = mph ? (gusts - 34.796776) / 14.912903999999997 : (gusts - 56) / 24;
    const int score = t <= 0 ? 25 : static_cast<int>(25 + 30 * std::min(t, 1.0));
    const QString g = f.units.speed(gusts);
    out.append(candidate(BriefingCategory::Wind, BriefingHorizon::Today, score,
        pick(f, QStringLiteral("wind"),
            { QStringLiteral("It's windy, with gusts up near ") + g + u'.',
                QStringLiteral("Hang on to your hat — gusts reach ") + g + u'.',
                QStringLiteral("Wind is the other story, gusting to ") + g + u'.' })));
}

void addOvernight(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    if (!f.tonightLow) {
        return;
    }
    const QString low = f.units.temperature(*f.tonightLow);
    const auto add = [&](int score, const QString &text) {
        out.append(candidate(BriefingCategory::Overnight, BriefingHorizon::Tonight, score, text));
    };
    if (f.freezeRisk) {
        add(52,
            pick(f, QStringLiteral("freeze"),
                { QStringLiteral("It drops below freezing tonight, down to ") + low + QStringLiteral(" by morning."),
                    QStringLiteral("A hard freeze overnight — ") + low + QStringLiteral(" by dawn."),
                    QStringLiteral("Cover anything tender: we're headed to ") + low + QStringLiteral(" tonight.") }));
        return;
    }
    if (f.frostRisk) {
        add(48,
            pick(f, QStringLiteral("frost"),
                { QStringLiteral("Clear and chilly overnight, ") + low
                        + QStringLiteral(" by dawn — cold enough for patchy frost in low spots."),
                    QStringLiteral("Patchy frost is possible late as temperatures slip to ") + low + u'.',
                    QStringLiteral("It gets cold enough for frost overnight, bottoming out near ") + low + u'.' }));
        return;
    }
    const QString key = QStringLiteral("low");
    if (f.comfort && *f.comfort >= Comfort::Muggy) {
        add(30,
            pick(f, key,
                { QStringLiteral("Tonight stays warm and sticky, only easing to ") + low + u'.',
                    QStringLiteral("It's a muggy night ahead, holding near ") + low + u'.',
                    QStringLiteral("Not much relief overnight — ") + low + QStringLiteral(" at best.") }));
    } else if (*f.tonightLow <= (f.units.fahrenheit ? 50.0 : 10.0)) {
        add(30,
            pick(f, key,
                { QStringLiteral("It turns cool overnight, down to ") + low + QStringLiteral(" by morning."),
                    QStringLiteral("Tonight drops to ") + low + QStringLiteral(", so it's a jacket in the morning."),
                    QStringLiteral("Expect ") + low + QStringLiteral(" overnight.") }));
    } else {
        add(30,
            pick(f, key,
                { QStringLiteral("Tonight settles near ") + low + u'.',
                    QStringLiteral("Overnight lows land around ") + low + u'.',
                    QStringLiteral("It eases back to ") + low + QStringLiteral(" by dawn.") }));
    }
}

void addFog(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    if (!f.fogEarly) {
        return;
    }
    out.append(candidate(BriefingCategory::Fog, BriefingHorizon::Tonight, 35,
        pick(f, QStringLiteral("fog"),
            { QStringLiteral("Patchy fog is possible early, so allow a little extra time."),
                QStringLiteral("Watch for fog first thing — it should burn off by mid-morning."),
                QStringLiteral("Fog is possible around dawn before the sun gets to work.") })));
}

void addUv(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    if (f.today.uvIndexMax < 7 || !f.todayEpisodes.isEmpty() || f.localHour > 14) {
        return;
    }
    out.append(candidate(BriefingCategory::Uv, BriefingHorizon::Today, 12,
        pick(f, QStringLiteral("uv"),
            { QStringLiteral("The UV is high today — worth some sunscreen if you're out midday."),
                QStringLiteral("Strong sun this time of year; don't skip the sunscreen."),
                QStringLiteral("High UV around midday, so cover up if you'll be outside a while.") })));
}

} // namespace composer
