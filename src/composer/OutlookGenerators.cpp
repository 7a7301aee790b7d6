// SPDX-License-Identifier: GPL-3.0-or-later
// The sentences about tomorrow and the rest of the week.
#include "composer/Generators.h"

#include "composer/TimePhrases.h"

#include <algorithm>
#include <cmath>

namespace composer {
namespace {

BriefingCandidate weekCandidate(BriefingCategory category, int score, const QString &text, bool mentionsPrecip = false)
{
    return BriefingCandidate { category, BriefingHorizon::Stretch, score, text, mentionsPrecip };
}

// A range in its "around" form ("around 22°C") cannot follow "in the" or "into the": those
// sentences read "highs around 22°C" and "jumps to around 25°C" instead. The decade form
// ("in the mid 70s") is left as it is.
QString fixAroundRange(QString sentence)
{
    sentence.replace(QStringLiteral("into the around "), QStringLiteral("to around "));
    sentence.replace(QStringLiteral("to the around "), QStringLiteral("to around "));
    sentence.replace(QStringLiteral("in the around "), QStringLiteral("around "));
    return sentence;
}

// "early March", "mid July", "late October", in the place's zone.
QString season(const WeatherFeatures &f)
{
    const int day = f.clock.day(f.now).day();
    const QLatin1StringView period(day <= 10 ? "early" : day <= 20 ? "mid" : "late");
    return period + u' ' + f.clock.monthName(f.now);
}

std::optional<QString> dayName(const WeatherFeatures &f, const DailyWeather &day)
{
    const auto date = f.clock.date(day.date);
    return date ? std::optional<QString>(f.clock.weekdayName(*date)) : std::nullopt;
}

void addRegimes(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    const QList<WeekRegime> &regimes = f.stretch.regimes;
    if (regimes.isEmpty()) {
        return;
    }
    const bool fahrenheit = f.units.fahrenheit;
    const WeekRegime &r0 = regimes.constFirst();
    const QString w0 = temperatureWord(r0.meanHigh, fahrenheit);
    const QString unsettled = r0.isWet ? QStringLiteral("unsettled") : QStringLiteral("dry");
    const QString wet = r0.isWet ? QStringLiteral("wet") : QStringLiteral("dry");
    const std::optional<QString> D = regimes.size() >= 2 ? dayName(f, regimes.at(1).days.constFirst()) : std::nullopt;
    if (D) {
        const WeekRegime &r1 = regimes.at(1);
        const QString change = r0.isWet == r1.isWet
            ? QStringLiteral("it turns ") + temperatureWord(r1.meanHigh, fahrenheit)
            : r1.isWet ? QStringLiteral("rain returns")
                       : QStringLiteral("it dries out");
        out.append(weekCandidate(BriefingCategory::Stretch, 46,
            pick(f, QStringLiteral("regime"),
                { QStringLiteral("It stays ") + w0 + QStringLiteral(" and ") + unsettled + QStringLiteral(" until ")
                        + *D + QStringLiteral(", when ") + change + u'.',
                    capitalized(w0) + QStringLiteral(" and ") + wet
                        + QStringLiteral(" through the middle of the week, then ") + change + u' ' + *D + u'.',
                    QStringLiteral("Expect ") + w0 + QStringLiteral(", ") + unsettled + QStringLiteral(" days until ")
                        + *D + QStringLiteral(" — after that, ") + change + u'.' }),
            r0.isWet || r1.isWet));
        return;
    }
    const QString R = f.units.temperatureRange(r0.meanHigh);
    out.append(weekCandidate(BriefingCategory::Stretch, 40,
        fixAroundRange(pick(f, QStringLiteral("regime-flat"),
            { QStringLiteral("The rest of the week stays ") + w0 + QStringLiteral(" and ") + unsettled
                    + QStringLiteral(", with highs in the ") + R + u'.',
                QStringLiteral("Beyond tomorrow it turns ") + w0 + QStringLiteral(" and ") + unsettled
                    + QStringLiteral(", highs in the ") + R + u'.',
                QStringLiteral("The back half of the week holds ") + w0 + QStringLiteral(" and ") + wet
                    + QStringLiteral(", in the ") + R + u'.' })),
        r0.isWet));
}

void addClimate(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    const bool fahrenheit = f.units.fahrenheit;
    if (!f.weekAnomaly || std::abs(*f.weekAnomaly) < (fahrenheit ? 4.5 : 2.5)) {
        return;
    }
    const double a = *f.weekAnomaly;
    const qint64 n = std::max<qint64>(fahrenheit ? 5 : 3, roundedHalfAway(std::abs(a) / 5.0) * 5);
    const bool above = a > 0;
    const QString N = QString::number(n);
    const QString when = season(f);
    out.append(weekCandidate(BriefingCategory::Climate, 36,
        pick(f, QStringLiteral("climate"),
            { QStringLiteral("Highs are running about ") + N + QStringLiteral(" degrees ")
                    + (above ? QStringLiteral("above") : QStringLiteral("below")) + QStringLiteral(" average for ")
                    + when + u'.',
                QStringLiteral("That's roughly ") + N + QStringLiteral(" degrees ")
                    + (above ? QStringLiteral("warmer") : QStringLiteral("cooler")) + QStringLiteral(" than ") + when
                    + QStringLiteral(" usually brings."),
                QStringLiteral("The whole week sits ") + N + QStringLiteral(" or so degrees ")
                    + (above ? QStringLiteral("above") : QStringLiteral("below")) + QStringLiteral(" normal for ")
                    + when + u'.' })));
}

void addFront(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    if (!f.stretch.breakpoint) {
        return;
    }
    const StretchBreakpoint &bp = *f.stretch.breakpoint;
    const std::optional<QString> D = dayName(f, bp.day);
    if (!D) {
        return;
    }
    const QString R = f.units.temperatureRange(bp.day.tempMax);
    const QStringList variants = bp.delta < 0
        ? QStringList { *D + QStringLiteral("'s front knocks highs back into the ") + R + u'.',
              QStringLiteral("The change arrives ") + *D + QStringLiteral(", dropping highs to the ") + R + u'.',
              QStringLiteral("Hold on until ") + *D + QStringLiteral(" — that's when highs slide into the ") + R
                  + u'.' }
        : QStringList { QStringLiteral("Things warm up sharply by ") + *D + QStringLiteral(", into the ") + R + u'.',
              *D + QStringLiteral(" jumps into the ") + R + u'.',
              QStringLiteral("By ") + *D + QStringLiteral(" we're back into the ") + R + u'.' };
    out.append(
        weekCandidate(BriefingCategory::Stretch, 45, fixAroundRange(pick(f, QStringLiteral("front"), variants))));
}

void addWeekend(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    const QList<DailyWeather> &weekend = f.stretch.weekend;
    if (!f.stretch.weekendIsRelevant || weekend.isEmpty()) {
        return;
    }
    double warmest = weekend.constFirst().tempMax;
    bool wet = false;
    for (const DailyWeather &day : weekend) {
        warmest = std::max(warmest, day.tempMax);
        wet = wet || day.precipitationProbabilityMax >= 50;
    }
    const QString R = f.units.temperatureRange(warmest);
    const QStringList variants = wet
        ? QStringList { QStringLiteral("The weekend looks unsettled, with highs in the ") + R + u'.',
              QStringLiteral("Rain chances return for the weekend, highs in the ") + R + u'.',
              QStringLiteral("The weekend turns wetter, though still in the ") + R + u'.' }
        : QStringList { QStringLiteral("The weekend looks quiet, with highs in the ") + R + u'.',
              QStringLiteral("Good news for the weekend — dry, and in the ") + R + u'.',
              QStringLiteral("The weekend stays dry, highs in the ") + R + u'.' };
    out.append(
        weekCandidate(BriefingCategory::Stretch, 38, fixAroundRange(pick(f, QStringLiteral("weekend"), variants))));
}

void addNextRain(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    if (f.stretch.wetDays.isEmpty()) {
        return;
    }
    const std::optional<QString> D = dayName(f, f.stretch.wetDays.constFirst());
    if (!D) {
        return;
    }
    out.append(weekCandidate(BriefingCategory::Stretch, 34,
        pick(f, QStringLiteral("wet-ahead"),
            { QStringLiteral("Rain chances return ") + *D + u'.',
                QStringLiteral("The next shot at rain comes ") + *D + u'.',
                QStringLiteral("Keep an eye on ") + *D + QStringLiteral(" for the next round of rain.") }),
        true));
}

void addTrend(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    switch (f.stretch.trend) {
    case Trend::Warming:
        out.append(weekCandidate(BriefingCategory::Stretch, 35,
            pick(f, QStringLiteral("trend"),
                { QStringLiteral("The rest of the week trends warmer."),
                    QStringLiteral("It's a warming trend from here."),
                    QStringLiteral("Temperatures climb steadily through the week.") })));
        break;
    case Trend::Cooling:
        out.append(weekCandidate(BriefingCategory::Stretch, 35,
            pick(f, QStringLiteral("trend"),
                { QStringLiteral("The rest of the week trends cooler."),
                    QStringLiteral("It's a cooling trend from here."),
                    QStringLiteral("Temperatures ease off through the week.") })));
        break;
    case Trend::Steady:
        if (f.stretch.wetDays.isEmpty()) {
            out.append(weekCandidate(BriefingCategory::Stretch, 5,
                pick(f, QStringLiteral("quiet-week"),
                    { QStringLiteral("The week ahead stays quiet."),
                        QStringLiteral("Nothing dramatic in the days ahead."),
                        QStringLiteral("It's a settled stretch from here.") })));
        }
        break;
    }
}

} // namespace

void addTomorrow(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    if (!f.tomorrow) {
        return;
    }
    const QString hi = f.units.temperature(f.tomorrow->tempMax);
    const QString key = QStringLiteral("tomorrow");
    const auto add = [&](const QString &text, bool mentionsPrecip) {
        out.append(
            BriefingCandidate { BriefingCategory::Tomorrow, BriefingHorizon::Tomorrow, 45, text, mentionsPrecip });
    };
    if (!f.tomorrowEpisodes.isEmpty()) {
        const PrecipEpisode episode = mainEpisode(f.tomorrowEpisodes);
        const QString word = precipWord(episode.type);
        const QString tod = timeOfDayPhrase(f.clock.hour(episode.start));
        add(pick(f, key,
                { QStringLiteral("Tomorrow reaches ") + hi + QStringLiteral(", with ") + word + u' ' + tod + u'.',
                    hi + QStringLiteral(" tomorrow, and ") + word + u' ' + tod + u'.',
                    QStringLiteral("Look for ") + hi + QStringLiteral(" tomorrow, with ") + word + u' ' + tod + u'.' }),
            true);
        return;
    }
    const double d = f.tomorrow->tempMax - f.today.tempMax;
    const double step = temperatureStep(f.units.fahrenheit);
    if (d >= step) {
        add(pick(f, key,
                { QStringLiteral("Tomorrow climbs to ") + hi + u'.',
                    QStringLiteral("It's warmer tomorrow, up to ") + hi + u'.',
                    QStringLiteral("Expect ") + hi + QStringLiteral(" tomorrow, a step up.") }),
            false);
    } else if (d <= -step) {
        add(pick(f, key,
                { QStringLiteral("Tomorrow cools off to ") + hi + u'.',
                    QStringLiteral("It's cooler tomorrow, only ") + hi + u'.',
                    QStringLiteral("Expect ") + hi + QStringLiteral(" tomorrow, a step down.") }),
            false);
    } else {
        add(pick(f, key,
                { QStringLiteral("Tomorrow looks much the same, near ") + hi + u'.',
                    QStringLiteral("More of the same tomorrow, around ") + hi + u'.',
                    QStringLiteral("Tomorrow holds steady near ") + hi + u'.' }),
            false);
    }
}

void addWeek(const WeatherFeatures &f, QList<BriefingCandidate> &out)
{
    addRegimes(f, out);
    addClimate(f, out);
    addFront(f, out);
    addWeekend(f, out);
    addNextRain(f, out);
    addTrend(f, out);
}

} // namespace composer
