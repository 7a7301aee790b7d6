// SPDX-License-Identifier: GPL-3.0-or-later
// The sentences about now, today and tonight: alerts, precipitation, comfort, wind, fog, UV, overnight.
#include "ComposerFixtures.h"

using namespace composer;
using fixtures::ForecastEdit;
using fixtures::quietForecast;
using fixtures::rainAt;
using fixtures::withVariant;

namespace {

NwsAlert alert(const char *event, const char *severity, std::optional<QString> ends = std::nullopt)
{
    NwsAlert a;
    a.id = QString::fromLatin1(event);
    a.event = QString::fromLatin1(event);
    a.severity = QString::fromLatin1(severity);
    a.ends = std::move(ends);
    return a;
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
        { "already over", { alert("Wind Advisory", "Minor", QStringLiteral("2026-07-14T16:00:00Z")) }, 80,
            "A Wind Advisory is in effect." },
        { "no zone in the end time", { alert("Wind Advisory", "Minor", QStringLiteral("2026-07-14T15:00:00")) }, 80,
            "A Wind Advisory is in effect." },
        { "unparsable end", { alert("Wind Advisory", "Minor", QStringLiteral("tonight")) }, 80,
            "A Wind Advisory is in effect." },
        { "a vowel takes An", { alert("Excessive Heat Warning", "Severe") }, 100,
            "An Excessive Heat Warning is in effect." },
        { "unknown severity", { alert("Ice Storm Warning", "Unknown") }, 80, "An Ice Storm Warning is in effect." },
        { "the most severe, the earliest among equals",
            { alert("Frost Advisory", "Minor"), alert("Tornado Warning", "Extreme"),
                alert("Flash Flood Warning", "Extreme") },
            100, "A Tornado Warning is in effect." },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const BriefingCandidate c = fixtures::onlyOf(f, BriefingCategory::Alert, row.alerts);
        EXPECT_EQ(c.text, QString::fromLatin1(row.text));
        EXPECT_EQ(c.score, row.score);
        EXPECT_EQ(c.horizon, BriefingHorizon::Now);
        EXPECT_FALSE(c.mentionsPrecip);
    }
    EXPECT_FALSE(fixtures::hasCategory(f, BriefingCategory::Alert));
}

TEST(TodayGenerators, NowcastReplacesTheEpisodeSentence)
{
    Forecast f = quietForecast();
    rainAt(f, 2, 3, 90);
    NextHourNowcast nowcast;
    nowcast.summary = QStringLiteral("Rain starting around 3:05 PM");
    const BriefingCandidate c = fixtures::onlyOf(f, BriefingCategory::Precip, {}, nowcast);
    EXPECT_EQ(c.text, QStringLiteral("Rain starting around 3:05 PM."));
    EXPECT_EQ(c.score, 75);
    EXPECT_EQ(c.horizon, BriefingHorizon::Now);
    EXPECT_TRUE(c.mentionsPrecip);
    EXPECT_EQ(fixtures::onlyOf(f, BriefingCategory::Precip).horizon, BriefingHorizon::Today);
}

TEST(TodayGenerators, PrecipitationEpisodePhrasings)
{
    const auto rain = [](double p, qint64 code = 61, int hours = 2) {
        return [=](Forecast &f) { rainAt(f, 3, hours, p, code); };
    };
    const auto lightRain = [](Forecast &f) {
        for (int i = 3; i < 5; ++i) {
            f.hourly[i].precipitationProbability = 20;
            f.hourly[i].precipitation = 0.01;
            f.hourly[i].weatherCode = 61;
        }
    };
    fixtures::checkVariants(BriefingCategory::Precip,
        {
            { "80 or more", rain(85), "precip", 0, 40, "Rain moves in around 1pm, winding down by 3pm." },
            { "80 or more", rain(85, 80), "precip", 0, 40, "Showers move in around 1pm, winding down by 3pm." },
            { "80 or more", rain(85), "precip", 1, 40, "Expect rain around 1pm, winding down by 3pm." },
            { "80 or more", rain(85), "precip", 2, 40, "Count on rain around 1pm, winding down by 3pm." },
            { "60 to 80", rain(70), "precip", 0, 40, "Rain is likely around 1pm, winding down by 3pm." },
            { "60 to 80", rain(70, 80), "precip", 0, 40, "Showers are likely around 1pm, winding down by 3pm." },
            { "60 to 80", rain(60, 95), "precip", 1, 60, "Expect showers and storms around 1pm, winding down by 3pm." },
            { "60 to 80", rain(70), "precip", 2, 40, "Rain looks likely around 1pm, winding down by 3pm." },
            { "60 to 80", rain(70, 85), "precip", 2, 70, "Snow showers look likely around 1pm, winding down by 3pm." },
            { "40 to 60", rain(50, 51), "precip", 0, 25,
                "There's a good chance of drizzle around 1pm, winding down by 3pm." },
            { "40 to 60", rain(50, 71), "precip", 1, 70, "A good chance of snow around 1pm, winding down by 3pm." },
            { "40 to 60", rain(59.9, 61, 6), "precip", 2, 50, "Decent odds of rain around 1pm and lingering." },
            { "30 to 40", rain(35, 66), "precip", 0, 70,
                "There's a chance of freezing rain around 1pm, winding down by 3pm." },
            { "30 to 40", rain(35, 73), "precip", 1, 70, "A chance of snow around 1pm, winding down by 3pm." },
            { "30 to 40", rain(35, 71), "precip", 2, 70, "Some snow is possible around 1pm, winding down by 3pm." },
            { "30 to 40", rain(35, 86), "precip", 2, 70,
                "Some snow showers are possible around 1pm, winding down by 3pm." },
            { "below 30", lightRain, "precip", 0, 25, "A slight chance of rain around 1pm, winding down by 3pm." },
            { "below 30", lightRain, "precip", 1, 25, "An outside chance of rain around 1pm, winding down by 3pm." },
            { "below 30", lightRain, "precip", 2, 25, "Maybe a bit of rain around 1pm, winding down by 3pm." },
        });
}

TEST(TodayGenerators, TheMostSignificantEpisodeOfTheDay)
{
    // Now is 10:00. The timing in the sentence shows which episode was chosen.
    const struct
    {
        const char *name;
        ForecastEdit setup;
        const char *timing;
        int score;
    } rows[] = {
        { "a peak of 60 beats a lower one",
            [](Forecast &f) {
                rainAt(f, 1, 2, 50);
                rainAt(f, 5, 2, 70);
            },
            "around 3pm", 40 },
        { "a higher peak alone does not beat 60",
            [](Forecast &f) {
                rainAt(f, 1, 2, 70);
                rainAt(f, 5, 2, 90);
            },
            "around 11am", 40 },
        { "six hours beat a short one",
            [](Forecast &f) {
                rainAt(f, 1, 2, 70);
                rainAt(f, 5, 6, 50);
            },
            "around 3pm and lingering", 50 },
        { "a peak of 60 does not beat six hours",
            [](Forecast &f) {
                rainAt(f, 1, 6, 50);
                rainAt(f, 9, 2, 90);
            },
            "around 11am and lingering", 50 },
        { "storms beat six hours",
            [](Forecast &f) {
                rainAt(f, 1, 6, 50);
                rainAt(f, 9, 2, 40, 95);
            },
            "this evening", 60 },
        { "rain does not beat storms",
            [](Forecast &f) {
                rainAt(f, 1, 2, 40, 95);
                rainAt(f, 5, 8, 90);
            },
            "around 11am", 60 },
        { "snow beats storms",
            [](Forecast &f) {
                rainAt(f, 1, 2, 90, 95);
                rainAt(f, 5, 2, 40, 71);
            },
            "around 3pm", 70 },
        { "nothing beats snow",
            [](Forecast &f) {
                rainAt(f, 1, 2, 40, 71);
                rainAt(f, 5, 2, 90, 67);
            },
            "around 11am", 70 },
        { "tomorrow's episodes do not count",
            [](Forecast &f) {
                rainAt(f, 1, 2, 40);
                rainAt(f, 20, 2, 90, 71);
            },
            "around 11am", 25 },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Forecast f = quietForecast();
        row.setup(f);
        const BriefingCandidate c = fixtures::onlyOf(f, BriefingCategory::Precip);
        EXPECT_TRUE(c.text.contains(QString::fromLatin1(row.timing))) << c.text.toStdString();
        EXPECT_EQ(c.score, row.score);
    }
}

TEST(TodayGenerators, ComfortWindFogAndUv)
{
    const auto comfort = [](double dewPoint, double high = 70) {
        Forecast f = quietForecast();
        f.daily[0].tempMax = high;
        f.daily[0].apparentMax = high;
        for (HourlyWeather &h : f.hourly) {
            h.dewPoint = dewPoint;
        }
        return f;
    };
    const QStringList dry = { QStringLiteral("The air is dry and crisp — a genuinely nice change."),
        QStringLiteral("Low humidity makes it feel lighter than the number suggests."),
        QStringLiteral("Dry air all day, which takes the edge off.") };
    const QStringList muggy = { QStringLiteral("The air stays muggy right through the afternoon."),
        QStringLiteral("It's the humidity that'll get you today — sticky from morning on."),
        QStringLiteral("Expect that heavy, muggy feel all day.") };
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        const BriefingCandidate c =
            fixtures::onlyOf(withVariant(comfort(40), QStringLiteral("comfort"), index, 3, fixtures::kCentralZones),
                BriefingCategory::Comfort);
        EXPECT_EQ(c.text, dry[index]);
        EXPECT_EQ(c.score, 26);
        EXPECT_EQ(
            fixtures::onlyOf(withVariant(comfort(72), QStringLiteral("comfort"), index, 3, fixtures::kCentralZones),
                BriefingCategory::Comfort)
                .text,
            muggy[index]);
    }
    EXPECT_TRUE(muggy.contains(fixtures::onlyOf(comfort(66), BriefingCategory::Comfort).text));
    EXPECT_TRUE(muggy.contains(fixtures::onlyOf(comfort(80), BriefingCategory::Comfort).text));
    for (const double dewPoint : { 52.0, 57.0, 62.0 }) {
        EXPECT_FALSE(fixtures::hasCategory(comfort(dewPoint), BriefingCategory::Comfort)) << dewPoint;
    }
    EXPECT_FALSE(fixtures::hasCategory(comfort(40, 58.9), BriefingCategory::Comfort));

    // Wind: scores from the gusts, conditions from gusts or sustained speed.
    const struct
    {
        bool mph;
        double gusts;
        double sustained;
        int score; // 0: no sentence
    } winds[] = { { true, 34.796776, 5, 25 }, { true, 40, 5, 35 }, { true, 60, 5, 55 }, { true, 10, 24.85484, 25 },
        { true, 34.7, 24.8, 0 }, { false, 56, 5, 25 }, { false, 68, 5, 40 }, { false, 90, 5, 55 },
        { false, 20, 40, 25 }, { false, 55.9, 39.9, 0 } };
    for (const auto &row : winds) {
        SCOPED_TRACE(row.gusts);
        Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), row.mph);
        f.daily[0].windGustsMax = row.gusts;
        f.daily[0].windSpeedMax = row.sustained;
        if (row.score == 0) {
            EXPECT_FALSE(fixtures::hasCategory(f, BriefingCategory::Wind));
        } else {
            EXPECT_EQ(fixtures::onlyOf(f, BriefingCategory::Wind).score, row.score);
        }
    }
    Forecast windy = quietForecast();
    windy.daily[0].windGustsMax = 40.4;
    const char *windTexts[] = { "It's windy, with gusts up near 40 mph.", "Hang on to your hat — gusts reach 40 mph.",
        "Wind is the other story, gusting to 40 mph." };
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(fixtures::onlyOf(withVariant(windy, QStringLiteral("wind"), index, 3, fixtures::kCentralZones),
                      BriefingCategory::Wind)
                      .text,
            QString::fromUtf8(windTexts[index]));
    }

    // Fog and UV.
    Forecast f = quietForecast(QStringLiteral("2026-07-14T00:00"));
    f.hourly[6].weatherCode = 45;
    const char *fogTexts[] = { "Patchy fog is possible early, so allow a little extra time.",
        "Watch for fog first thing — it should burn off by mid-morning.",
        "Fog is possible around dawn before the sun gets to work." };
    for (int index = 0; index < 3; ++index) {
        const BriefingCandidate c = fixtures::onlyOf(
            withVariant(f, QStringLiteral("fog"), index, 3, fixtures::kCentralZones), BriefingCategory::Fog);
        EXPECT_EQ(c.text, QString::fromUtf8(fogTexts[index]));
        EXPECT_EQ(c.score, 35);
        EXPECT_EQ(c.horizon, BriefingHorizon::Tonight);
    }

    const char *uvTexts[] = { "The UV is high today — worth some sunscreen if you're out midday.",
        "Strong sun this time of year; don't skip the sunscreen.",
        "High UV around midday, so cover up if you'll be outside a while." };
    f = quietForecast(QStringLiteral("2026-07-14T14:59"));
    f.daily[0].uvIndexMax = 7;
    for (int index = 0; index < 3; ++index) {
        const BriefingCandidate c = fixtures::onlyOf(
            withVariant(f, QStringLiteral("uv"), index, 3, fixtures::kCentralZones), BriefingCategory::Uv);
        EXPECT_EQ(c.text, QString::fromUtf8(uvTexts[index]));
        EXPECT_EQ(c.score, 12);
    }
    f.daily[0].uvIndexMax = 6.9;
    EXPECT_FALSE(fixtures::hasCategory(f, BriefingCategory::Uv));
    f.daily[0].uvIndexMax = 9;
    f.current.time = QStringLiteral("2026-07-14T15:00");
    EXPECT_FALSE(fixtures::hasCategory(f, BriefingCategory::Uv));
    f.current.time = QStringLiteral("2026-07-14T14:00");
    rainAt(f, 3, 2, 50);
    EXPECT_FALSE(fixtures::hasCategory(f, BriefingCategory::Uv));
}

TEST(TodayGenerators, Overnight)
{
    // Tonight is hours 10 to 20 (20:00 to 06:00); the low is set at 03:00.
    const auto night = [](bool fahrenheit, double low, double cloud, double dewPoint) {
        Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), fahrenheit,
            fahrenheit ? QStringLiteral("America/Chicago") : QStringLiteral("Europe/Paris"));
        for (HourlyWeather &h : f.hourly) {
            h.cloudCover = cloud;
            h.dewPoint = dewPoint;
        }
        f.hourly[17].temperature = low;
        return f;
    };
    const struct
    {
        const char *name;
        Forecast forecast;
        const char *key;
        int score;
        std::array<const char *, 3> texts;
    } rows[] = {
        { "freeze", night(true, 31.6, 90, 20), "freeze", 52,
            { "It drops below freezing tonight, down to 32°F by morning.", "A hard freeze overnight — 32°F by dawn.",
                "Cover anything tender: we're headed to 32°F tonight." } },
        { "frost", night(false, 1.5, 20, 0), "frost", 48,
            { "Clear and chilly overnight, 2°C by dawn — cold enough for patchy frost in low spots.",
                "Patchy frost is possible late as temperatures slip to 2°C.",
                "It gets cold enough for frost overnight, bottoming out near 2°C." } },
        { "muggy", night(true, 68, 50, 68), "low", 30,
            { "Tonight stays warm and sticky, only easing to 68°F.", "It's a muggy night ahead, holding near 68°F.",
                "Not much relief overnight — 68°F at best." } },
        { "cool", night(false, 10, 50, 5), "low", 30,
            { "It turns cool overnight, down to 10°C by morning.",
                "Tonight drops to 10°C, so it's a jacket in the morning.", "Expect 10°C overnight." } },
        { "mild", night(true, 50.4, 50, 40), "low", 30,
            { "Tonight settles near 50°F.", "Overnight lows land around 50°F.", "It eases back to 50°F by dawn." } },
    };
    for (const auto &row : rows) {
        for (int index = 0; index < 3; ++index) {
            SCOPED_TRACE(std::string(row.name) + " / variant " + std::to_string(index));
            const BriefingCandidate c =
                fixtures::onlyOf(withVariant(row.forecast, QString::fromLatin1(row.key), index, 3,
                                     row.forecast.temperatureUnit == QStringLiteral("°F") ? fixtures::kCentralZones
                                                                                          : fixtures::kParisZones),
                    BriefingCategory::Overnight);
            EXPECT_EQ(c.text, QString::fromUtf8(row.texts.at(static_cast<size_t>(index))));
            EXPECT_EQ(c.score, row.score);
            EXPECT_EQ(c.horizon, BriefingHorizon::Tonight);
        }
    }
    Forecast f = quietForecast();
    f.hourly = f.hourly.first(5); // nothing after sunset
    EXPECT_FALSE(fixtures::hasCategory(f, BriefingCategory::Overnight));
}
