// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the briefing's sentences from the candidates, beat by beat.
#include "ComposerFixtures.h"

using namespace composer;

namespace {

using C = BriefingCategory;
using H = BriefingHorizon;

BriefingCandidate make(C category, H horizon, int score, const char *text, bool precip = false)
{
    return BriefingCandidate { category, horizon, score, QString::fromLatin1(text), precip };
}

QStringList list(std::initializer_list<const char *> texts)
{
    QStringList out;
    for (const char *t : texts) {
        out.append(QString::fromLatin1(t));
    }
    return out;
}

} // namespace

TEST(Selection, BeatRulesAndTopUp)
{
    const struct
    {
        const char *name;
        QList<BriefingCandidate> candidates;
        QStringList expected;
    } rows[] = {
        { "alert and nowcast fill the today beat; temperature waits for the top-up",
            { make(C::Alert, H::Now, 100, "Alert."), make(C::Precip, H::Now, 75, "Nowcast.", true),
                make(C::Temperature, H::Today, 44, "Temp."), make(C::Wind, H::Today, 30, "Wind.") },
            list({ "Alert.", "Nowcast.", "Temp.", "Wind." }) },
        { "no top-up once four are selected",
            { make(C::Alert, H::Now, 100, "Alert."), make(C::Precip, H::Now, 75, "Nowcast.", true),
                make(C::Temperature, H::Today, 44, "Temp."), make(C::Overnight, H::Tonight, 30, "Night."),
                make(C::Tomorrow, H::Tomorrow, 45, "Tomorrow.") },
            list({ "Alert.", "Nowcast.", "Night.", "Tomorrow." }) },
        { "a second sentence of a beat needs more than 25",
            { make(C::Precip, H::Today, 25, "Rain.", true), make(C::Temperature, H::Today, 28, "Temp."),
                make(C::Overnight, H::Tonight, 30, "Night."), make(C::Tomorrow, H::Tomorrow, 45, "Tomorrow."),
                make(C::Stretch, H::Stretch, 35, "Trend.") },
            list({ "Temp.", "Night.", "Tomorrow.", "Trend." }) },
        { "the low episode sentence comes back in the top-up",
            { make(C::Precip, H::Today, 25, "Rain.", true), make(C::Temperature, H::Today, 28, "Temp."),
                make(C::Stretch, H::Stretch, 5, "Quiet.") },
            list({ "Temp.", "Quiet.", "Rain." }) },
        { "quota of two: temperature and wind, not comfort",
            { make(C::Temperature, H::Today, 32, "Temp."), make(C::Comfort, H::Today, 26, "Muggy."),
                make(C::Wind, H::Today, 30, "Wind."), make(C::Overnight, H::Tonight, 30, "Night."),
                make(C::Tomorrow, H::Tomorrow, 45, "Tomorrow.") },
            list({ "Temp.", "Wind.", "Night.", "Tomorrow." }) },
        { "the precipitation rule looks only within one beat",
            { make(C::Temperature, H::Today, 32, "Temp."), make(C::Tomorrow, H::Tomorrow, 45, "Rain tomorrow.", true),
                make(C::Stretch, H::Stretch, 34, "Rain Friday.", true),
                make(C::Climate, H::Stretch, 36, "Warm week.") },
            list({ "Temp.", "Rain tomorrow.", "Warm week.", "Rain Friday." }) },
        { "one precipitation sentence per beat; the other waits for the top-up",
            { make(C::Precip, H::Now, 75, "Nowcast.", true), make(C::Wind, H::Today, 40, "Windy rain.", true),
                make(C::Temperature, H::Today, 30, "Temp.") },
            list({ "Nowcast.", "Temp.", "Windy rain." }) },
        { "categories differ within a beat: front, then climate",
            { make(C::Temperature, H::Today, 32, "Temp."), make(C::Stretch, H::Stretch, 45, "Front."),
                make(C::Stretch, H::Stretch, 38, "Weekend."), make(C::Climate, H::Stretch, 36, "Climate."),
                make(C::Tomorrow, H::Tomorrow, 45, "Tomorrow."), make(C::Overnight, H::Tonight, 30, "Night.") },
            list({ "Temp.", "Night.", "Tomorrow.", "Front.", "Climate." }) },
        { "the quotas add up to six; ties keep generator order",
            { make(C::Alert, H::Now, 80, "Alert."), make(C::Temperature, H::Today, 44, "Temp."),
                make(C::Wind, H::Today, 44, "Wind."), make(C::Overnight, H::Tonight, 52, "Freeze."),
                make(C::Fog, H::Tonight, 35, "Fog."), make(C::Tomorrow, H::Tomorrow, 45, "Tomorrow."),
                make(C::Stretch, H::Stretch, 46, "Regime."), make(C::Climate, H::Stretch, 36, "Climate.") },
            list({ "Alert.", "Temp.", "Freeze.", "Tomorrow.", "Regime.", "Climate." }) },
        { "nothing at all", {}, {} },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(selectSentences(row.candidates), row.expected);
    }
}

TEST(Selection, TheStrongestTodaySentenceOfAForecast)
{
    // Gusts of 40 mph score 35, over the temperature's 32.
    Forecast f = fixtures::quietForecast();
    f.daily[0].windGustsMax = 40;
    const std::optional<BriefingCandidate> top = topTodaySentence(fixtures::featuresOf(f));
    ASSERT_TRUE(top);
    EXPECT_EQ(top->category, C::Wind);
    EXPECT_EQ(top->score, 35);
}
