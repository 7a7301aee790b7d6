// SPDX-License-Identifier: GPL-3.0-or-later
// The sentences about tomorrow and the week: conditions, scores and every phrasing.
#include "ComposerFixtures.h"

using namespace composer;
using fixtures::quietForecast;

namespace {

// Tuesday 14 July 2026 at 10:00 (or Thursday the 16th for the weekend); seven days from today.
Forecast week(std::initializer_list<double> highs, bool fahrenheit = true,
    const QString &now = QStringLiteral("2026-07-14T10:00"))
{
    Forecast f =
        quietForecast(now, fahrenheit, fahrenheit ? QStringLiteral("America/Chicago") : QStringLiteral("Europe/Paris"));
    qsizetype i = 0;
    for (const double high : highs) {
        f.daily[i].tempMax = high;
        f.daily[i].apparentMax = high;
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

ClimateNormals normalsOf(double celsius)
{
    ClimateNormals normals;
    for (int day = 14; day <= 22; ++day) {
        normals.highs.insert(QStringLiteral("07-%1").arg(day), celsius);
    }
    return normals;
}

struct Row
{
    const char *name;
    Forecast forecast;
    const char *key;
    int index;
    BriefingCategory category;
    int score;
    const char *text;
    bool mentionsPrecip = false;
    std::optional<ClimateNormals> normals = std::nullopt;
};

void check(std::initializer_list<Row> rows)
{
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.name) + " / variant " + std::to_string(row.index));
        const bool fahrenheit = row.forecast.temperatureUnit == QStringLiteral("°F");
        const Forecast f = fixtures::withVariant(row.forecast, QString::fromLatin1(row.key), row.index, 3,
            fahrenheit ? fixtures::kCentralZones : fixtures::kParisZones);
        QList<BriefingCandidate> found;
        for (const BriefingCandidate &c :
            fixtures::ofCategory(candidates(fixtures::featuresOf(f, {}, std::nullopt, row.normals)), row.category)) {
            if (c.score == row.score) {
                found.append(c);
            }
        }
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found[0].text, QString::fromUtf8(row.text));
        EXPECT_EQ(found[0].mentionsPrecip, row.mentionsPrecip);
        EXPECT_EQ(found[0].horizon,
            row.category == BriefingCategory::Tomorrow ? BriefingHorizon::Tomorrow : BriefingHorizon::Stretch);
    }
}

using Cat = BriefingCategory;

} // namespace

TEST(OutlookGenerators, Tomorrow)
{
    Forecast showers = week({ 70, 70 });
    for (int i = 28; i < 30; ++i) { // 14:00 tomorrow
        showers.hourly[i].precipitationProbability = 70;
        showers.hourly[i].weatherCode = 80;
    }
    Forecast mix = showers;
    for (int i = 40; i < 42; ++i) { // 02:00 the day after: not tomorrow's
        mix.hourly[i].precipitationProbability = 90;
        mix.hourly[i].weatherCode = 71;
    }
    for (int i = 33; i < 35; ++i) { // 19:00 tomorrow, wintry: it outranks the showers
        mix.hourly[i].precipitationProbability = 40;
        mix.hourly[i].weatherCode = i == 33 ? 71 : 61;
    }
    check({
        { "rain tomorrow", showers, "tomorrow", 0, Cat::Tomorrow, 45,
            "Tomorrow reaches 70°F, with showers around midday.", true },
        { "rain tomorrow", showers, "tomorrow", 1, Cat::Tomorrow, 45, "70°F tomorrow, and showers around midday.",
            true },
        { "rain tomorrow", showers, "tomorrow", 2, Cat::Tomorrow, 45,
            "Look for 70°F tomorrow, with showers around midday.", true },
        { "wintry tomorrow", mix, "tomorrow", 0, Cat::Tomorrow, 45,
            "Tomorrow reaches 70°F, with a wintry mix in the evening.", true },
        { "warmer", week({ 70, 79 }), "tomorrow", 0, Cat::Tomorrow, 45, "Tomorrow climbs to 79°F." },
        { "warmer", week({ 70, 79 }), "tomorrow", 1, Cat::Tomorrow, 45, "It's warmer tomorrow, up to 79°F." },
        { "warmer", week({ 20, 24.5 }, false), "tomorrow", 2, Cat::Tomorrow, 45, "Expect 25°C tomorrow, a step up." },
        { "cooler", week({ 70, 61 }), "tomorrow", 0, Cat::Tomorrow, 45, "Tomorrow cools off to 61°F." },
        { "cooler", week({ 70, 61 }), "tomorrow", 1, Cat::Tomorrow, 45, "It's cooler tomorrow, only 61°F." },
        { "cooler", week({ 70, 61 }), "tomorrow", 2, Cat::Tomorrow, 45, "Expect 61°F tomorrow, a step down." },
        { "same", week({ 70, 75 }), "tomorrow", 0, Cat::Tomorrow, 45, "Tomorrow looks much the same, near 75°F." },
        { "same", week({ 70, 75 }), "tomorrow", 1, Cat::Tomorrow, 45, "More of the same tomorrow, around 75°F." },
        { "same", week({ 20, 24.4 }, false), "tomorrow", 2, Cat::Tomorrow, 45, "Tomorrow holds steady near 24°C." },
    });
    Forecast f = quietForecast();
    f.daily = f.daily.first(1);
    EXPECT_FALSE(fixtures::hasCategory(f, Cat::Tomorrow));
}

TEST(OutlookGenerators, Regimes)
{
    // Days beyond tomorrow are the 16th (Thursday) to the 20th (Monday).
    const Forecast driesOut = wet(week({ 70, 70, 70, 70, 72, 72, 72 }), { 2, 3 });
    const Forecast rainReturns = wet(week({ 70, 70, 80, 80, 80, 80, 80 }), { 4, 5, 6 });
    const Forecast turnsHot = week({ 70, 70, 70, 70, 90, 90, 90 });
    const Forecast flat = week({ 70, 70, 70, 71, 72, 71, 70 });
    const Forecast flatWet = wet(week({ 40, 40, 40, 40, 40, 40, 40 }), { 2, 3, 4, 5, 6 });
    const Forecast flatCelsius = week({ 21, 21, 21, 21, 21, 21, 21 }, false);
    Forecast badDate = driesOut;
    badDate.daily[4].date = QStringLiteral("Saturday");
    check({
        { "dries out", driesOut, "regime", 0, Cat::Stretch, 46,
            "It stays mild and unsettled until Saturday, when it dries out.", true },
        { "dries out", driesOut, "regime", 1, Cat::Stretch, 46,
            "Mild and wet through the middle of the week, then it dries out Saturday.", true },
        { "dries out", driesOut, "regime", 2, Cat::Stretch, 46,
            "Expect mild, unsettled days until Saturday — after that, it dries out.", true },
        { "rain returns", rainReturns, "regime", 0, Cat::Stretch, 46,
            "It stays warm and dry until Saturday, when rain returns.", true },
        { "turns hot", turnsHot, "regime", 1, Cat::Stretch, 46,
            "Mild and dry through the middle of the week, then it turns hot Saturday.", false },
        { "flat", flat, "regime-flat", 0, Cat::Stretch, 40,
            "The rest of the week stays mild and dry, with highs in the low 70s." },
        { "flat", flat, "regime-flat", 1, Cat::Stretch, 40,
            "Beyond tomorrow it turns mild and dry, highs in the low 70s." },
        { "flat", flat, "regime-flat", 2, Cat::Stretch, 40,
            "The back half of the week holds mild and dry, in the low 70s." },
        { "flat and wet", flatWet, "regime-flat", 0, Cat::Stretch, 40,
            "The rest of the week stays cold and unsettled, with highs in the low 40s.", true },
        { "flat and wet", flatWet, "regime-flat", 2, Cat::Stretch, 40,
            "The back half of the week holds cold and wet, in the low 40s.", true },
        { "flat in Celsius", flatCelsius, "regime-flat", 0, Cat::Stretch, 40,
            "The rest of the week stays mild and dry, with highs around 21°C." },
        { "flat in Celsius", flatCelsius, "regime-flat", 1, Cat::Stretch, 40,
            "Beyond tomorrow it turns mild and dry, highs around 21°C." },
        { "flat in Celsius", flatCelsius, "regime-flat", 2, Cat::Stretch, 40,
            "The back half of the week holds mild and dry, around 21°C." },
        { "second regime's date unparsable", badDate, "regime-flat", 0, Cat::Stretch, 40,
            "The rest of the week stays mild and unsettled, with highs in the low 70s.", true },
    });
}

TEST(OutlookGenerators, ClimateFrontWeekendAndTrend)
{
    const Forecast f = week({ 70, 70, 70, 70, 70, 70, 70 });
    const Forecast fc = week({ 21, 21, 21, 21, 21, 21, 21 }, false);
    const Forecast drop = week({ 70, 70, 70, 58, 58, 58, 58 });
    const Forecast jump = week({ 70, 70, 70, 85, 85, 85, 85 });
    const Forecast dropC = week({ 20, 20, 20, 14, 14, 14, 14 }, false);
    const Forecast jumpC = week({ 20, 20, 20, 25, 25, 25, 25 }, false);
    const QString thursday = QStringLiteral("2026-07-16T10:00");
    const Forecast weekend = week({ 70, 70, 72, 77, 70, 70, 70 }, true, thursday);
    const Forecast wetWeekend = wet(weekend, { 3 });
    const Forecast weekendC = week({ 20, 20, 21.6, 20, 20, 20, 20 }, false, thursday);
    const Forecast wetWeekendC = wet(weekendC, { 2 });
    check({
        { "above normal", f, "climate", 0, Cat::Climate, 36,
            "Highs are running about 10 degrees above average for mid July.", false, normalsOf(15) },
        { "above normal", f, "climate", 1, Cat::Climate, 36,
            "That's roughly 10 degrees warmer than mid July usually brings.", false, normalsOf(15) },
        { "below normal", f, "climate", 2, Cat::Climate, 36,
            "The whole week sits 5 or so degrees below normal for mid July.", false, normalsOf(25) },
        { "below normal", fc, "climate", 1, Cat::Climate, 36,
            "That's roughly 5 degrees cooler than mid July usually brings.", false, normalsOf(23.5) },

        { "front", drop, "front", 0, Cat::Stretch, 45, "Friday's front knocks highs back into the upper 50s." },
        { "front", drop, "front", 1, Cat::Stretch, 45, "The change arrives Friday, dropping highs to the upper 50s." },
        { "front", drop, "front", 2, Cat::Stretch, 45,
            "Hold on until Friday — that's when highs slide into the upper 50s." },
        { "warm-up", jump, "front", 0, Cat::Stretch, 45, "Things warm up sharply by Friday, into the mid 80s." },
        { "warm-up", jump, "front", 1, Cat::Stretch, 45, "Friday jumps into the mid 80s." },
        { "warm-up", jump, "front", 2, Cat::Stretch, 45, "By Friday we're back into the mid 80s." },
        { "front in Celsius", dropC, "front", 0, Cat::Stretch, 45, "Friday's front knocks highs back to around 14°C." },
        { "front in Celsius", dropC, "front", 1, Cat::Stretch, 45,
            "The change arrives Friday, dropping highs to around 14°C." },
        { "front in Celsius", dropC, "front", 2, Cat::Stretch, 45,
            "Hold on until Friday — that's when highs slide to around 14°C." },
        { "warm-up in Celsius", jumpC, "front", 0, Cat::Stretch, 45,
            "Things warm up sharply by Friday, to around 25°C." },
        { "warm-up in Celsius", jumpC, "front", 1, Cat::Stretch, 45, "Friday jumps to around 25°C." },
        { "warm-up in Celsius", jumpC, "front", 2, Cat::Stretch, 45, "By Friday we're back to around 25°C." },

        { "weekend", weekend, "weekend", 0, Cat::Stretch, 38, "The weekend looks quiet, with highs in the upper 70s." },
        { "weekend", weekend, "weekend", 1, Cat::Stretch, 38,
            "Good news for the weekend — dry, and in the upper 70s." },
        { "weekend", weekend, "weekend", 2, Cat::Stretch, 38, "The weekend stays dry, highs in the upper 70s." },
        { "wet weekend", wetWeekend, "weekend", 0, Cat::Stretch, 38,
            "The weekend looks unsettled, with highs in the upper 70s." },
        { "wet weekend", wetWeekend, "weekend", 1, Cat::Stretch, 38,
            "Rain chances return for the weekend, highs in the upper 70s." },
        { "wet weekend", wetWeekend, "weekend", 2, Cat::Stretch, 38,
            "The weekend turns wetter, though still in the upper 70s." },
        { "weekend in Celsius", weekendC, "weekend", 0, Cat::Stretch, 38,
            "The weekend looks quiet, with highs around 22°C." },
        { "weekend in Celsius", weekendC, "weekend", 1, Cat::Stretch, 38,
            "Good news for the weekend — dry, and around 22°C." },
        { "weekend in Celsius", weekendC, "weekend", 2, Cat::Stretch, 38, "The weekend stays dry, highs around 22°C." },
        { "wet weekend in Celsius", wetWeekendC, "weekend", 0, Cat::Stretch, 38,
            "The weekend looks unsettled, with highs around 22°C." },
        { "wet weekend in Celsius", wetWeekendC, "weekend", 1, Cat::Stretch, 38,
            "Rain chances return for the weekend, highs around 22°C." },
        { "wet weekend in Celsius", wetWeekendC, "weekend", 2, Cat::Stretch, 38,
            "The weekend turns wetter, though still around 22°C." },

        { "next rain", wet(f, { 3, 5 }), "wet-ahead", 0, Cat::Stretch, 34, "Rain chances return Friday.", true },
        { "next rain", wet(f, { 3, 5 }), "wet-ahead", 1, Cat::Stretch, 34, "The next shot at rain comes Friday.",
            true },
        { "next rain", wet(f, { 1 }), "wet-ahead", 2, Cat::Stretch, 34,
            "Keep an eye on Wednesday for the next round of rain.", true },

        { "warming", week({ 60, 62, 64, 66, 68, 70, 72 }), "trend", 0, Cat::Stretch, 35,
            "The rest of the week trends warmer." },
        { "warming", week({ 60, 62, 64, 66, 68, 70, 72 }), "trend", 1, Cat::Stretch, 35,
            "It's a warming trend from here." },
        { "warming", week({ 60, 62, 64, 66, 68, 70, 72 }), "trend", 2, Cat::Stretch, 35,
            "Temperatures climb steadily through the week." },
        { "cooling", week({ 72, 70, 68, 66, 64, 62, 60 }), "trend", 0, Cat::Stretch, 35,
            "The rest of the week trends cooler." },
        { "cooling", week({ 72, 70, 68, 66, 64, 62, 60 }), "trend", 1, Cat::Stretch, 35,
            "It's a cooling trend from here." },
        { "cooling", week({ 72, 70, 68, 66, 64, 62, 60 }), "trend", 2, Cat::Stretch, 35,
            "Temperatures ease off through the week." },
        { "quiet", f, "quiet-week", 0, Cat::Stretch, 5, "The week ahead stays quiet." },
        { "quiet", f, "quiet-week", 1, Cat::Stretch, 5, "Nothing dramatic in the days ahead." },
        { "quiet", f, "quiet-week", 2, Cat::Stretch, 5, "It's a settled stretch from here." },
    });
}

TEST(OutlookGenerators, FamiliesThatDoNotApply)
{
    const auto scores = [](const Forecast &f, const std::optional<ClimateNormals> &normals = std::nullopt) {
        QList<int> out;
        for (const BriefingCandidate &c : candidates(fixtures::featuresOf(f, {}, std::nullopt, normals))) {
            if (c.horizon == BriefingHorizon::Stretch) {
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
    // Only today: no tomorrow, no week sentences beyond the trend.
    Forecast single = quietForecast();
    single.daily = single.daily.first(1);
    EXPECT_EQ(scores(single), (QList<int> { 5 }));
}

TEST(OutlookGenerators, Season)
{
    ClimateNormals normals;
    for (int day = 1; day <= 31; ++day) {
        normals.highs.insert(QStringLiteral("03-%1").arg(day, 2, 10, QChar(u'0')), 0);
    }
    for (const auto &[now, season] :
        { std::pair { "2026-03-01T10:00", "early March" }, std::pair { "2026-03-10T10:00", "early March" },
            std::pair { "2026-03-11T10:00", "mid March" }, std::pair { "2026-03-21T10:00", "late March" } }) {
        SCOPED_TRACE(now);
        const Forecast f = quietForecast(QString::fromLatin1(now));
        const BriefingCandidate c = fixtures::onlyOf(f, Cat::Climate, {}, std::nullopt, normals);
        EXPECT_TRUE(c.text.contains(QString::fromLatin1(season))) << c.text.toStdString();
    }
}
