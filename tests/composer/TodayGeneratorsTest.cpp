// SPDX-License-Identifier: GPL-3.0-or-later
// The sentences about now, today and tonight: alerts, precipitation, comfort, wind, fog, UV, overnight.
#include "ComposerFixtures.h"

using namespace composer;
using fixtures::checkPhrasings;
using fixtures::ofCategory;
using fixtures::onlyOf;
using fixtures::quietForecast;
using fixtures::rainAt;
using C = BriefingCategory;
using H = BriefingHorizon;

namespace {

NwsAlert alert(const char *event, const char *severity, std::optional<QString> ends = std::nullopt)
{
    NwsAlert a;
    a.id = a.event = QString::fromLatin1(event);
    a.severity = QString::fromLatin1(severity);
    a.ends = std::move(ends);
    return a;
}

// Rain from 13:00 (now is 10:00) for `hours` hours.
Forecast rain(double probability, qint64 code = 61, int hours = 2)
{
    return rainAt(quietForecast(), 3, hours, probability, code);
}

Forecast withToday(double gusts, double sustained, double uv, bool fahrenheit = true)
{
    Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), fahrenheit);
    f.daily[0].windGustsMax = gusts;
    f.daily[0].windSpeedMax = sustained;
    f.daily[0].uvIndexMax = uv;
    return f;
}

} // namespace

TEST(TodayGenerators, Alert)
{
    const Forecast f = quietForecast(QStringLiteral("2026-07-14T12:00")); // 17:00 UTC
    const struct
    {
        const char *name;
        QList<NwsAlert> alerts;
        int score;
        const char *text;
    } rows[] = {
        { "ends in 5 hours", { alert("Flood Warning", "Moderate", QStringLiteral("2026-07-14T17:00:00-05:00")) }, 80,
            "A Flood Warning is in effect through 5pm." },
        { "ends in 30 hours", { alert("Flood Warning", "Moderate", QStringLiteral("2026-07-15T18:00:00-05:00")) }, 80,
            "A Flood Warning is in effect." },
        { "ends in UTC, read in the place's zone",
            { alert("Wind Advisory", "Minor", QStringLiteral("2026-07-14T23:30:00Z")) }, 80,
            "A Wind Advisory is in effect through 6:30pm." },
        { "no zone in the end time", { alert("Wind Advisory", "Minor", QStringLiteral("2026-07-14T15:00:00")) }, 80,
            "A Wind Advisory is in effect." },
        { "a vowel takes An", { alert("Excessive Heat Warning", "Severe") }, 100,
            "An Excessive Heat Warning is in effect." },
        { "the most severe, the earliest among equals",
            { alert("Frost Advisory", "Minor"), alert("Tornado Warning", "Extreme"),
                alert("Flash Flood Warning", "Extreme") },
            100, "A Tornado Warning is in effect." },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const BriefingCandidate c = onlyOf(f, C::Alert, row.alerts);
        EXPECT_EQ(c.text, QString::fromLatin1(row.text));
        EXPECT_EQ(c.score, row.score);
        EXPECT_EQ(c.horizon, H::Now);
        EXPECT_FALSE(c.mentionsPrecip);
    }
    EXPECT_TRUE(ofCategory(f, C::Alert).isEmpty());
}

TEST(TodayGenerators, NowcastReplacesTheEpisodeSentence)
{
    NextHourNowcast nowcast;
    nowcast.summary = QStringLiteral("Rain starting around 3:05 PM");
    EXPECT_EQ(onlyOf(rain(90), C::Precip, {}, nowcast),
        (BriefingCandidate { C::Precip, H::Now, 75, QStringLiteral("Rain starting around 3:05 PM."), true }));
    EXPECT_EQ(onlyOf(rain(90), C::Precip).horizon, H::Today);
}

TEST(TodayGenerators, PrecipitationEpisodePhrasings)
{
    Forecast light = rain(20);
    light.hourly[3].precipitation = light.hourly[4].precipitation = 0.01;
    checkPhrasings(C::Precip, H::Today,
        {
            { rain(85), "precip", 0, 40, "Rain moves in around 1pm, winding down by 3pm.", true },
            { rain(85, 80), "precip", 0, 40, "Showers move in around 1pm, winding down by 3pm.", true },
            { rain(85), "precip", 1, 40, "Expect rain around 1pm, winding down by 3pm.", true },
            { rain(85), "precip", 2, 40, "Count on rain around 1pm, winding down by 3pm.", true },
            { rain(70, 80), "precip", 0, 40, "Showers are likely around 1pm, winding down by 3pm.", true },
            { rain(60, 95), "precip", 1, 60, "Expect showers and storms around 1pm, winding down by 3pm.", true },
            { rain(70, 85), "precip", 2, 70, "Snow showers look likely around 1pm, winding down by 3pm.", true },
            { rain(50, 51), "precip", 0, 25, "There's a good chance of drizzle around 1pm, winding down by 3pm.",
                true },
            { rain(50, 71), "precip", 1, 70, "A good chance of snow around 1pm, winding down by 3pm.", true },
            { rain(59.9, 61, 6), "precip", 2, 50, "Decent odds of rain around 1pm and lingering.", true },
            { rain(35, 66), "precip", 0, 70, "There's a chance of freezing rain around 1pm, winding down by 3pm.",
                true },
            { rain(35, 73), "precip", 1, 70, "A chance of snow around 1pm, winding down by 3pm.", true },
            { rain(35, 71), "precip", 2, 70, "Some snow is possible around 1pm, winding down by 3pm.", true },
            { light, "precip", 0, 25, "A slight chance of rain around 1pm, winding down by 3pm.", true },
            { light, "precip", 1, 25, "An outside chance of rain around 1pm, winding down by 3pm.", true },
            { light, "precip", 2, 25, "Maybe a bit of rain around 1pm, winding down by 3pm.", true },
        });
}

TEST(TodayGenerators, TheMostSignificantEpisodeOfTheDay)
{
    struct Rain
    {
        int from;
        int hours;
        double probability;
        qint64 code = 61;
    };
    // Now is 10:00. The timing in the sentence shows which episode was chosen.
    const struct
    {
        const char *name;
        Rain first;
        Rain second;
        const char *timing;
        int score;
    } rows[] = {
        { "a peak of 60 beats a lower one", { 1, 2, 50 }, { 5, 2, 70 }, "around 3pm", 40 },
        { "a higher peak alone does not beat 60", { 1, 2, 70 }, { 5, 2, 90 }, "around 11am", 40 },
        { "six hours beat a short one", { 1, 2, 70 }, { 5, 6, 50 }, "around 3pm and lingering", 50 },
        { "a peak of 60 does not beat six hours", { 1, 6, 50 }, { 9, 2, 90 }, "around 11am and lingering", 50 },
        { "storms beat six hours", { 1, 6, 50 }, { 9, 2, 40, 95 }, "this evening", 60 },
        { "rain does not beat storms", { 1, 2, 40, 95 }, { 5, 8, 90 }, "around 11am", 60 },
        { "snow beats storms", { 1, 2, 90, 95 }, { 5, 2, 40, 71 }, "around 3pm", 70 },
        { "nothing beats snow", { 1, 2, 40, 71 }, { 5, 2, 90, 67 }, "around 11am", 70 },
        { "tomorrow's episodes do not count", { 1, 2, 40 }, { 20, 2, 90, 71 }, "around 11am", 25 },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Forecast f = rainAt(quietForecast(), row.first.from, row.first.hours, row.first.probability, row.first.code);
        f = rainAt(f, row.second.from, row.second.hours, row.second.probability, row.second.code);
        const BriefingCandidate c = onlyOf(f, C::Precip);
        EXPECT_TRUE(c.text.contains(QString::fromLatin1(row.timing))) << c.text.toStdString();
        EXPECT_EQ(c.score, row.score);
    }
}

TEST(TodayGenerators, Comfort)
{
    const auto comfort = [](double dewPoint, double high = 70) {
        Forecast f = quietForecast();
        f.daily[0].tempMax = f.daily[0].apparentMax = high;
        for (HourlyWeather &h : f.hourly) {
            h.dewPoint = dewPoint;
        }
        return f;
    };
    checkPhrasings(C::Comfort, H::Today,
        {
            { comfort(40), "comfort", 0, 26, "The air is dry and crisp — a genuinely nice change." },
            { comfort(40), "comfort", 1, 26, "Low humidity makes it feel lighter than the number suggests." },
            { comfort(40), "comfort", 2, 26, "Dry air all day, which takes the edge off." },
            { comfort(66), "comfort", 0, 26, "The air stays muggy right through the afternoon." },
            { comfort(72), "comfort", 1, 26, "It's the humidity that'll get you today — sticky from morning on." },
            { comfort(80), "comfort", 2, 26, "Expect that heavy, muggy feel all day." },
        });
    for (const auto &[dewPoint, high] : { std::pair { 52.0, 70.0 }, { 62.0, 70.0 }, { 40.0, 58.9 } }) {
        SCOPED_TRACE(dewPoint);
        EXPECT_TRUE(ofCategory(comfort(dewPoint, high), C::Comfort).isEmpty());
    }
}

TEST(TodayGenerators, WindFogAndUv)
{
    // Wind: scores from the gusts, conditions from gusts or sustained speed.
    const struct
    {
        bool mph;
        double gusts;
        double sustained;
        int score; // 0: no sentence
    } winds[] = { { true, 34.796776, 5, 25 }, { true, 40, 5, 35 }, { true, 60, 5, 55 }, { true, 10, 24.85484, 25 },
        { true, 34.7, 24.8, 0 }, { false, 68, 5, 40 }, { false, 20, 40, 25 }, { false, 55.9, 39.9, 0 } };
    for (const auto &row : winds) {
        SCOPED_TRACE(row.gusts);
        const QList<BriefingCandidate> found = ofCategory(withToday(row.gusts, row.sustained, 3, row.mph), C::Wind);
        EXPECT_EQ(found.isEmpty() ? 0 : found[0].score, row.score);
    }
    checkPhrasings(C::Wind, H::Today,
        {
            { withToday(40.4, 5, 3), "wind", 0, 36, "It's windy, with gusts up near 40 mph." },
            { withToday(40.4, 5, 3), "wind", 1, 36, "Hang on to your hat — gusts reach 40 mph." },
            { withToday(40.4, 5, 3), "wind", 2, 36, "Wind is the other story, gusting to 40 mph." },
        });

    Forecast fog = quietForecast(QStringLiteral("2026-07-14T00:00"));
    fog.hourly[6].weatherCode = 45;
    checkPhrasings(C::Fog, H::Tonight,
        {
            { fog, "fog", 0, 35, "Patchy fog is possible early, so allow a little extra time." },
            { fog, "fog", 1, 35, "Watch for fog first thing — it should burn off by mid-morning." },
            { fog, "fog", 2, 35, "Fog is possible around dawn before the sun gets to work." },
        });

    Forecast uv = withToday(10, 5, 7);
    uv.current.time = QStringLiteral("2026-07-14T14:59");
    checkPhrasings(C::Uv, H::Today,
        {
            { uv, "uv", 0, 12, "The UV is high today — worth some sunscreen if you're out midday." },
            { uv, "uv", 1, 12, "Strong sun this time of year; don't skip the sunscreen." },
            { uv, "uv", 2, 12, "High UV around midday, so cover up if you'll be outside a while." },
        });
    uv.daily[0].uvIndexMax = 6.9;
    EXPECT_TRUE(ofCategory(uv, C::Uv).isEmpty());
    uv.daily[0].uvIndexMax = 9;
    uv.current.time = QStringLiteral("2026-07-14T15:00");
    EXPECT_TRUE(ofCategory(uv, C::Uv).isEmpty());
    uv = withToday(10, 5, 9);
    EXPECT_FALSE(ofCategory(uv, C::Uv).isEmpty());
    EXPECT_TRUE(ofCategory(rainAt(uv, 3, 2, 50), C::Uv).isEmpty());
}

TEST(TodayGenerators, Overnight)
{
    // Tonight is hours 10 to 20 (20:00 to 06:00); the low is set at 03:00.
    const auto night = [](bool fahrenheit, double low, double cloud, double dewPoint) {
        Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), fahrenheit);
        for (HourlyWeather &h : f.hourly) {
            h.cloudCover = cloud;
            h.dewPoint = dewPoint;
        }
        f.hourly[17].temperature = low;
        return f;
    };
    const Forecast freeze = night(true, 31.6, 90, 20);
    const Forecast frost = night(false, 1.5, 20, 0);
    const Forecast muggy = night(true, 68, 50, 68);
    const Forecast cool = night(false, 10, 50, 5);
    const Forecast mild = night(true, 50.4, 50, 40);
    checkPhrasings(C::Overnight, H::Tonight,
        {
            { freeze, "freeze", 0, 52, "It drops below freezing tonight, down to 32°F by morning." },
            { freeze, "freeze", 1, 52, "A hard freeze overnight — 32°F by dawn." },
            { freeze, "freeze", 2, 52, "Cover anything tender: we're headed to 32°F tonight." },
            { frost, "frost", 0, 48,
                "Clear and chilly overnight, 2°C by dawn — cold enough for patchy frost in low spots." },
            { frost, "frost", 1, 48, "Patchy frost is possible late as temperatures slip to 2°C." },
            { frost, "frost", 2, 48, "It gets cold enough for frost overnight, bottoming out near 2°C." },
            { muggy, "low", 0, 30, "Tonight stays warm and sticky, only easing to 68°F." },
            { muggy, "low", 1, 30, "It's a muggy night ahead, holding near 68°F." },
            { muggy, "low", 2, 30, "Not much relief overnight — 68°F at best." },
            { cool, "low", 0, 30, "It turns cool overnight, down to 10°C by morning." },
            { cool, "low", 1, 30, "Tonight drops to 10°C, so it's a jacket in the morning." },
            { cool, "low", 2, 30, "Expect 10°C overnight." },
            { mild, "low", 0, 30, "Tonight settles near 50°F." },
            { mild, "low", 1, 30, "Overnight lows land around 50°F." },
            { mild, "low", 2, 30, "It eases back to 50°F by dawn." },
        });
    Forecast f = quietForecast();
    f.hourly = f.hourly.first(5); // nothing after sunset
    EXPECT_TRUE(ofCategory(f, C::Overnight).isEmpty());
}
