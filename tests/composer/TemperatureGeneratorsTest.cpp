// SPDX-License-Identifier: GPL-3.0-or-later
// The temperature sentence: heat, cold, feels-like and sky cases, the comparison with yesterday,
// and how the phrasing holds within a six-hour block.
#include "ComposerFixtures.h"

using namespace composer;
using fixtures::quietForecast;
using fixtures::withVariant;

namespace {

Forecast day(double high, double apparent, qint64 code = 1, bool fahrenheit = true)
{
    Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), fahrenheit);
    f.daily[0].tempMax = high;
    f.daily[0].apparentMax = apparent;
    f.daily[0].weatherCode = code;
    return f;
}

Forecast rainy(double high)
{
    return fixtures::rainAt(day(high, high, 3), 3, 2, 50);
}

Forecast celsius(double high, double apparent)
{
    return day(high, apparent, 1, false);
}

// Highs of 79 °F today after the given high and rain yesterday.
Forecast afterYesterday(double high, double rain = 0, const char *now = "2026-07-14T10:00")
{
    Forecast f = quietForecast(QString::fromLatin1(now));
    f.daily[0].tempMax = f.daily[0].apparentMax = 79;
    f.yesterday = f.daily[0];
    f.yesterday->tempMax = high;
    f.yesterday->precipitationSum = rain;
    return f;
}

QString temperatureText(const Forecast &f)
{
    return fixtures::onlyOf(f, BriefingCategory::Temperature).text;
}

} // namespace

TEST(TemperatureSentence, TemperaturePhrasings)
{
    using B = BriefingCategory;
    fixtures::checkPhrasings(B::Temperature, BriefingHorizon::Today,
        {
            { day(93, 96), "heat", 0, 55, "It's a hot one — 93°F, feeling more like 96°F in the afternoon." },
            { day(99, 104.9), "heat", 1, 68, "Heat is the story today: 99°F, and it feels closer to 105°F." },
            { day(95, 95), "heat", 2, 55, "Expect real heat, 95°F on the thermometer and 95°F to the skin." },
            { day(30, 22), "cold", 0, 55, "It stays cold all day, never getting past 30°F." },
            { day(30, 22), "cold", 1, 55, "A cold one — 30°F at best, and the wind makes it feel like 22°F." },
            { day(34, 32), "cold", 2, 55, "Bundle up: 34°F for a high, feeling like 32°F." },
            { day(88, 94), "feels", 0, 44, "88°F today, though the humidity makes it feel more like 94°F." },
            { day(88, 93.6), "feels", 1, 44, "The thermometer says 88°F, but it'll feel closer to 94°F." },
            { day(80, 86), "feels", 2, 44, "Highs near 80°F, feeling like 86°F once the humidity is factored in." },
            { day(45, 38), "feels", 0, 44, "45°F today, but the wind makes it feel like 38°F." },
            { day(45, 39.5), "feels", 1, 44, "Highs near 45°F — factor in the wind and it's more like 40°F." },
            { day(45, 38), "feels", 2, 44, "45°F on paper, 38°F in reality once the wind gets going." },
            { rainy(70), "mild", 0, 28, "Cloudy skies otherwise, with a high near 70°F." },
            { rainy(90), "mild", 1, 28, "Highs reach 90°F in between." },
            { rainy(40), "mild", 2, 28, "Around 40°F for a high." },
            { day(59, 59, 0), "mild", 0, 32, "Full sun and pleasant, topping out near 59°F." },
            { day(84.2, 84.2, 2), "mild", 1, 32, "A comfortable one — sun and clouds, with a high around 84°F." },
            { day(72, 72, 45), "mild", 2, 32, "Easy weather today: fog and 72°F for a high." },
            { day(84.3, 84.3, 3), "mild", 0, 28, "Cloudy skies today, with a high near 84°F." },
            { day(58.9, 58.9, 1), "mild", 1, 28, "Mostly sunny skies and 59°F for a high." },
            { day(50, 50, 61), "mild", 2, 28, "Look for sun and clouds and a high around 50°F." },
            { celsius(38, 40.5), "heat", 1, 68, "Heat is the story today: 38°C, and it feels closer to 41°C." },
            { celsius(2, 0), "cold", 2, 55, "Bundle up: 2°C for a high, feeling like 0°C." },
            { celsius(28, 31), "feels", 0, 44, "28°C today, though the humidity makes it feel more like 31°C." },
            { celsius(29, 31.9), "mild", 0, 32, "Mostly sunny skies and pleasant, topping out near 29°C." },
            { celsius(14.9, 14.9), "mild", 0, 28, "Mostly sunny skies today, with a high near 15°C." },
        });
}

TEST(TemperatureSentence, ComparisonWithYesterday)
{
    const struct
    {
        Forecast forecast;
        const char *key;
        int index;
        const char *suffix;
    } rows[] = {
        { afterYesterday(70), "compare", 0, ", about 10 degrees warmer than yesterday." },
        { afterYesterday(70), "compare", 1, ", a good 10 degrees up on yesterday." },
        { afterYesterday(70), "compare", 2, ", noticeably milder than yesterday." },
        { afterYesterday(91.5), "compare", 0, ", about 15 degrees cooler than yesterday." },
        { afterYesterday(91.4), "compare", 1, ", a good 10 degrees down on yesterday." },
        { afterYesterday(87.5), "compare", 2, ", noticeably cooler than yesterday." },
        { afterYesterday(79, 0.3), "compare-dry", 0, ", a welcome break after yesterday's rain." },
        { afterYesterday(75, 0.3), "compare-dry", 1, ", a drier day than yesterday." },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.suffix);
        const QString text =
            temperatureText(withVariant(row.forecast, row.key, row.index, row.key == std::string("compare") ? 3 : 2));
        EXPECT_TRUE(text.endsWith(QString::fromLatin1(row.suffix))) << text.toStdString();
    }

    // After sunset, with rain today, within a step of yesterday, or on a hot day: no comparison.
    const auto compares = [](const Forecast &f) { return temperatureText(f).contains(QStringLiteral("yesterday")); };
    EXPECT_FALSE(compares(afterYesterday(70, 0, "2026-07-14T20:00")));
    EXPECT_TRUE(compares(afterYesterday(70, 0, "2026-07-14T19:00")));
    EXPECT_FALSE(compares(afterYesterday(71)));
    EXPECT_FALSE(compares(fixtures::rainAt(afterYesterday(79, 0.3), 3, 2, 50)));
    Forecast f = afterYesterday(70);
    f.daily[0].apparentMax = 96;
    EXPECT_FALSE(compares(f));
    f.daily[0].apparentMax = 20; // cold carries the suffix
    EXPECT_TRUE(compares(f));
}

TEST(TemperatureSentence, WordingHoldsWithinASixHourBlock)
{
    // The phrasing seed changes between 05:59 and 06:00 but not between 06:00 and 11:59.
    const auto texts = [](const char *now, const QString &zone) {
        Forecast f = quietForecast(QString::fromLatin1(now));
        f.timezone = zone;
        QStringList out;
        for (const BriefingCandidate &c : candidates(fixtures::featuresOf(f))) {
            out.append(c.text);
        }
        return out;
    };
    bool someChange = false;
    for (const QString &zone : fixtures::kCentralZones) {
        SCOPED_TRACE(zone.toStdString());
        EXPECT_EQ(texts("2026-07-14T06:00", zone), texts("2026-07-14T11:59", zone));
        someChange = someChange || texts("2026-07-14T05:59", zone) != texts("2026-07-14T06:00", zone);
    }
    EXPECT_TRUE(someChange);
}
