// SPDX-License-Identifier: GPL-3.0-or-later
// The sentences about tomorrow and the week: conditions, scores and every phrasing.
#include "ComposerFixtures.h"

using namespace composer;
using fixtures::checkPhrasings;
using fixtures::quietForecast;
using C = BriefingCategory;
using H = BriefingHorizon;

namespace {

// Tuesday 14 July 2026 at 10:00 (or Thursday the 16th for the weekend); seven days from today.
Forecast week(std::initializer_list<double> highs, bool fahrenheit = true,
    const QString &now = QStringLiteral("2026-07-14T10:00"))
{
    Forecast f = quietForecast(now, fahrenheit);
    qsizetype i = 0;
    for (const double high : highs) {
        f.daily[i].tempMax = f.daily[i].apparentMax = high;
        ++i;
    }
    return f;
}

Forecast wet(Forecast f, std::initializer_list<int> days)
{
    for (const int day : days) {
        f.daily[day].precipitationProbabilityMax = 60;
    }
    return f;
}

ClimateNormals normalsOf(double celsius, const char *month = "07", int from = 14, int to = 22)
{
    ClimateNormals normals;
    for (int day = from; day <= to; ++day) {
        normals.highs.insert(
            QStringLiteral("%1-%2").arg(QLatin1StringView(month)).arg(day, 2, 10, QChar(u'0')), celsius);
    }
    return normals;
}

} // namespace

TEST(OutlookGenerators, Tomorrow)
{
    const Forecast showers = fixtures::rainAt(week({ 70, 70 }), 28, 2, 70, 80); // 14:00 tomorrow
    Forecast mix = fixtures::rainAt(showers, 40, 2, 90, 71); // 02:00 the day after: not tomorrow's
    mix = fixtures::rainAt(mix, 33, 2, 40); // 19:00 tomorrow, wintry: it outranks the showers
    mix.hourly[33].weatherCode = 71;
    checkPhrasings(C::Tomorrow, H::Tomorrow,
        {
            { showers, "tomorrow", 0, 45, "Tomorrow reaches 70°F, with showers around midday.", true },
            { showers, "tomorrow", 1, 45, "70°F tomorrow, and showers around midday.", true },
            { showers, "tomorrow", 2, 45, "Look for 70°F tomorrow, with showers around midday.", true },
            { mix, "tomorrow", 0, 45, "Tomorrow reaches 70°F, with a wintry mix in the evening.", true },
            { week({ 70, 79 }), "tomorrow", 0, 45, "Tomorrow climbs to 79°F." },
            { week({ 70, 79 }), "tomorrow", 1, 45, "It's warmer tomorrow, up to 79°F." },
            { week({ 20, 24.5 }, false), "tomorrow", 2, 45, "Expect 25°C tomorrow, a step up." },
            { week({ 70, 61 }), "tomorrow", 0, 45, "Tomorrow cools off to 61°F." },
            { week({ 70, 61 }), "tomorrow", 1, 45, "It's cooler tomorrow, only 61°F." },
            { week({ 70, 61 }), "tomorrow", 2, 45, "Expect 61°F tomorrow, a step down." },
            { week({ 70, 75 }), "tomorrow", 0, 45, "Tomorrow looks much the same, near 75°F." },
            { week({ 70, 75 }), "tomorrow", 1, 45, "More of the same tomorrow, around 75°F." },
            { week({ 20, 24.4 }, false), "tomorrow", 2, 45, "Tomorrow holds steady near 24°C." },
        });
}

TEST(OutlookGenerators, Regimes)
{
    // Days beyond tomorrow are the 16th (Thursday) to the 20th (Monday).
    const Forecast driesOut = wet(week({ 70, 70, 70, 70, 72, 72, 72 }), { 2, 3 });
    const Forecast flat = week({ 70, 70, 70, 71, 72, 71, 70 });
    const Forecast flatWet = wet(week({ 40, 40, 40, 40, 40, 40, 40 }), { 2, 3, 4, 5, 6 });
    Forecast badDate = driesOut;
    badDate.daily[4].date = QStringLiteral("Saturday");
    checkPhrasings(C::Stretch, H::Stretch,
        {
            { driesOut, "regime", 0, 46, "It stays mild and unsettled until Saturday, when it dries out.", true },
            { driesOut, "regime", 1, 46, "Mild and wet through the middle of the week, then it dries out Saturday.",
                true },
            { driesOut, "regime", 2, 46, "Expect mild, unsettled days until Saturday — after that, it dries out.",
                true },
            { wet(week({ 70, 70, 80, 80, 80, 80, 80 }), { 4, 5, 6 }), "regime", 0, 46,
                "It stays warm and dry until Saturday, when rain returns.", true },
            { week({ 70, 70, 70, 70, 90, 90, 90 }), "regime", 1, 46,
                "Mild and dry through the middle of the week, then it turns hot Saturday." },
            { flat, "regime-flat", 0, 40, "The rest of the week stays mild and dry, with highs in the low 70s." },
            { flat, "regime-flat", 1, 40, "Beyond tomorrow it turns mild and dry, highs in the low 70s." },
            { flat, "regime-flat", 2, 40, "The back half of the week holds mild and dry, in the low 70s." },
            { flatWet, "regime-flat", 0, 40,
                "The rest of the week stays cold and unsettled, with highs in the low 40s.", true },
            { flatWet, "regime-flat", 2, 40, "The back half of the week holds cold and wet, in the low 40s.", true },
            { week({ 21, 21, 21, 21, 21, 21, 21 }, false), "regime-flat", 0, 40,
                "The rest of the week stays mild and dry, with highs around 21°C." },
            { badDate, "regime-flat", 0, 40,
                "The rest of the week stays mild and unsettled, with highs in the low 70s.", true },
        });
}

TEST(OutlookGenerators, ClimateFrontWeekendAndTrend)
{
    // Normals of 20 °C (68 °F).
    checkPhrasings(C::Climate, H::Stretch,
        {
            { week({ 79, 79, 79, 79, 79, 79, 79 }), "climate", 0, 36,
                "Highs are running about 10 degrees above average for mid July." },
            { week({ 79, 79, 79, 79, 79, 79, 79 }), "climate", 1, 36,
                "That's roughly 10 degrees warmer than mid July usually brings." },
            { week({ 61, 61, 61, 61, 61, 61, 61 }), "climate", 2, 36,
                "The whole week sits 5 or so degrees below normal for mid July." },
            { week({ 17.5, 17.5, 17.5, 17.5, 17.5, 17.5, 17.5 }, false), "climate", 1, 36,
                "That's roughly 5 degrees cooler than mid July usually brings." },
        },
        normalsOf(20));

    const Forecast f = week({ 70, 70, 70, 70, 70, 70, 70 });
    const Forecast drop = week({ 70, 70, 70, 58, 58, 58, 58 });
    const Forecast jump = week({ 70, 70, 70, 85, 85, 85, 85 });
    const Forecast dropC = week({ 20, 20, 20, 14, 14, 14, 14 }, false);
    const Forecast jumpC = week({ 20, 20, 20, 25, 25, 25, 25 }, false);
    const QString thursday = QStringLiteral("2026-07-16T10:00");
    const Forecast weekend = week({ 70, 70, 72, 77, 70, 70, 70 }, true, thursday);
    const Forecast weekendC = week({ 20, 20, 21.6, 20, 20, 20, 20 }, false, thursday);
    const Forecast warming = week({ 60, 62, 64, 66, 68, 70, 72 });
    const Forecast cooling = week({ 72, 70, 68, 66, 64, 62, 60 });
    checkPhrasings(C::Stretch, H::Stretch,
        {
            { drop, "front", 0, 45, "Friday's front knocks highs back into the upper 50s." },
            { drop, "front", 1, 45, "The change arrives Friday, dropping highs to the upper 50s." },
            { drop, "front", 2, 45, "Hold on until Friday — that's when highs slide into the upper 50s." },
            { jump, "front", 0, 45, "Things warm up sharply by Friday, into the mid 80s." },
            { jump, "front", 1, 45, "Friday jumps into the mid 80s." },
            { jump, "front", 2, 45, "By Friday we're back into the mid 80s." },
            { dropC, "front", 0, 45, "Friday's front knocks highs back to around 14°C." },
            { dropC, "front", 2, 45, "Hold on until Friday — that's when highs slide to around 14°C." },
            { jumpC, "front", 0, 45, "Things warm up sharply by Friday, to around 25°C." },
            { jumpC, "front", 1, 45, "Friday jumps to around 25°C." },

            { weekend, "weekend", 0, 38, "The weekend looks quiet, with highs in the upper 70s." },
            { weekend, "weekend", 1, 38, "Good news for the weekend — dry, and in the upper 70s." },
            { weekend, "weekend", 2, 38, "The weekend stays dry, highs in the upper 70s." },
            { wet(weekend, { 3 }), "weekend", 0, 38, "The weekend looks unsettled, with highs in the upper 70s." },
            { wet(weekend, { 3 }), "weekend", 1, 38, "Rain chances return for the weekend, highs in the upper 70s." },
            { wet(weekend, { 3 }), "weekend", 2, 38, "The weekend turns wetter, though still in the upper 70s." },
            { weekendC, "weekend", 0, 38, "The weekend looks quiet, with highs around 22°C." },
            { weekendC, "weekend", 1, 38, "Good news for the weekend — dry, and around 22°C." },
            { wet(weekendC, { 2 }), "weekend", 2, 38, "The weekend turns wetter, though still around 22°C." },

            { wet(f, { 3, 5 }), "wet-ahead", 0, 34, "Rain chances return Friday.", true },
            { wet(f, { 3, 5 }), "wet-ahead", 1, 34, "The next shot at rain comes Friday.", true },
            { wet(f, { 1 }), "wet-ahead", 2, 34, "Keep an eye on Wednesday for the next round of rain.", true },

            { warming, "trend", 0, 35, "The rest of the week trends warmer." },
            { warming, "trend", 1, 35, "It's a warming trend from here." },
            { warming, "trend", 2, 35, "Temperatures climb steadily through the week." },
            { cooling, "trend", 0, 35, "The rest of the week trends cooler." },
            { cooling, "trend", 1, 35, "It's a cooling trend from here." },
            { cooling, "trend", 2, 35, "Temperatures ease off through the week." },
            { f, "quiet-week", 0, 5, "The week ahead stays quiet." },
            { f, "quiet-week", 1, 5, "Nothing dramatic in the days ahead." },
            { f, "quiet-week", 2, 5, "It's a settled stretch from here." },
        });
}

TEST(OutlookGenerators, FamiliesThatDoNotApply)
{
    const auto scores = [](const Forecast &f, const std::optional<ClimateNormals> &normals = std::nullopt) {
        QList<int> out;
        for (const BriefingCandidate &c : candidates(fixtures::featuresOf(f, {}, std::nullopt, normals))) {
            if (c.horizon == H::Stretch) {
                out.append(c.score);
            }
        }
        return out;
    };
    const Forecast f = week({ 70, 70, 70, 70, 70, 70, 70 });
    // Just under the anomaly thresholds: no climate sentence.
    EXPECT_EQ(scores(f, normalsOf((70 - 4.4 - 32) * 5 / 9)), (QList<int> { 40, 5 }));
    EXPECT_EQ(scores(week({ 21, 21, 21, 21, 21, 21, 21 }, false), normalsOf(18.6)), (QList<int> { 40, 5 }));
    // Steady with a wet day: the next-rain sentence but no quiet-week one.
    EXPECT_EQ(scores(wet(f, { 1 })), (QList<int> { 40, 34 }));
    // The weekend does not matter on a Tuesday.
    EXPECT_EQ(scores(week({ 70, 70, 70, 70, 76, 70, 70 })), (QList<int> { 40, 5 }));
    // Unparsable dates remove the sentences that name a day.
    Forecast broken = wet(week({ 70, 70, 70, 58, 58, 58, 58 }), { 3 });
    EXPECT_EQ(scores(broken), (QList<int> { 46, 45, 34, 35 }));
    for (DailyWeather &day : broken.daily) {
        day.date = QStringLiteral("someday");
    }
    EXPECT_EQ(scores(broken), (QList<int> { 40, 35 }));
    // Only today: no tomorrow, no week sentences beyond the quiet one.
    Forecast single = quietForecast();
    single.daily = single.daily.first(1);
    EXPECT_EQ(scores(single), (QList<int> { 5 }));
    EXPECT_TRUE(fixtures::ofCategory(single, C::Tomorrow).isEmpty());
}

TEST(OutlookGenerators, Season)
{
    for (const auto &[now, season] : { std::pair { "2026-03-10T10:00", "early March" },
             { "2026-03-11T10:00", "mid March" }, { "2026-03-21T10:00", "late March" } }) {
        SCOPED_TRACE(now);
        const QList<BriefingCandidate> found = fixtures::ofCategory(
            quietForecast(QString::fromLatin1(now)), C::Climate, {}, std::nullopt, normalsOf(0, "03", 1, 31));
        ASSERT_EQ(found.size(), 1);
        EXPECT_TRUE(found[0].text.contains(QString::fromLatin1(season))) << found[0].text.toStdString();
    }
}
