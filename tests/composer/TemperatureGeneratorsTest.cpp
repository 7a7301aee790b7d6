// SPDX-License-Identifier: GPL-3.0-or-later
// The temperature sentence: heat, cold, feels-like and sky cases, the comparison with yesterday,
// and how the phrasing holds within a six-hour block.
#include "ComposerFixtures.h"

using namespace composer;
using fixtures::checkVariants;
using fixtures::ForecastEdit;
using fixtures::quietForecast;
using fixtures::rainAt;
using fixtures::withVariant;

TEST(TemperatureSentence, TemperaturePhrasings)
{
    const auto day = [](double high, double apparent, qint64 code = 1) {
        return [=](Forecast &f) {
            f.daily[0].tempMax = high;
            f.daily[0].apparentMax = apparent;
            f.daily[0].weatherCode = code;
        };
    };
    const auto rainy = [](double high) {
        return [=](Forecast &f) {
            f.daily[0].tempMax = high;
            f.daily[0].apparentMax = high;
            f.daily[0].weatherCode = 3;
            rainAt(f, 3, 2, 50);
        };
    };
    checkVariants(BriefingCategory::Temperature,
        {
            { "heat", day(93, 96), "heat", 0, 55, "It's a hot one — 93°F, feeling more like 96°F in the afternoon." },
            { "heat", day(99, 104.9), "heat", 1, 68, "Heat is the story today: 99°F, and it feels closer to 105°F." },
            { "heat", day(95, 95), "heat", 2, 55, "Expect real heat, 95°F on the thermometer and 95°F to the skin." },
            { "cold", day(30, 22), "cold", 0, 55, "It stays cold all day, never getting past 30°F." },
            { "cold", day(30, 22), "cold", 1, 55, "A cold one — 30°F at best, and the wind makes it feel like 22°F." },
            { "cold", day(34, 32), "cold", 2, 55, "Bundle up: 34°F for a high, feeling like 32°F." },
            { "humid", day(88, 94), "feels", 0, 44, "88°F today, though the humidity makes it feel more like 94°F." },
            { "humid", day(88, 93.6), "feels", 1, 44, "The thermometer says 88°F, but it'll feel closer to 94°F." },
            { "humid", day(80, 86), "feels", 2, 44,
                "Highs near 80°F, feeling like 86°F once the humidity is factored in." },
            { "wind chill", day(45, 38), "feels", 0, 44, "45°F today, but the wind makes it feel like 38°F." },
            { "wind chill", day(45, 39.5), "feels", 1, 44,
                "Highs near 45°F — factor in the wind and it's more like 40°F." },
            { "wind chill", day(45, 38), "feels", 2, 44, "45°F on paper, 38°F in reality once the wind gets going." },
            { "with rain", rainy(70), "mild", 0, 28, "Cloudy skies otherwise, with a high near 70°F." },
            { "with rain", rainy(90), "mild", 1, 28, "Highs reach 90°F in between." },
            { "with rain", rainy(40), "mild", 2, 28, "Around 40°F for a high." },
            { "pleasant", day(59, 59, 0), "mild", 0, 32, "Full sun and pleasant, topping out near 59°F." },
            { "pleasant", day(84.2, 84.2, 2), "mild", 1, 32,
                "A comfortable one — sun and clouds, with a high around 84°F." },
            { "pleasant", day(72, 72, 45), "mild", 2, 32, "Easy weather today: fog and 72°F for a high." },
            { "plain", day(84.3, 84.3, 3), "mild", 0, 28, "Cloudy skies today, with a high near 84°F." },
            { "plain", day(58.9, 58.9, 1), "mild", 1, 28, "Mostly sunny skies and 59°F for a high." },
            { "plain", day(50, 50, 61), "mild", 2, 28, "Look for sun and clouds and a high around 50°F." },
        });
    checkVariants(BriefingCategory::Temperature,
        {
            { "heat", day(34, 35), "heat", 0, 55, "It's a hot one — 34°C, feeling more like 35°C in the afternoon." },
            { "heat", day(38, 40.5), "heat", 1, 68, "Heat is the story today: 38°C, and it feels closer to 41°C." },
            { "cold", day(2, 0), "cold", 2, 55, "Bundle up: 2°C for a high, feeling like 0°C." },
            { "humid", day(28, 31), "feels", 0, 44, "28°C today, though the humidity makes it feel more like 31°C." },
            { "not quite", day(29, 31.9), "mild", 0, 32, "Mostly sunny skies and pleasant, topping out near 29°C." },
            { "plain", day(14.9, 14.9), "mild", 0, 28, "Mostly sunny skies today, with a high near 15°C." },
        },
        false);
}

TEST(TemperatureSentence, ComparisonWithYesterday)
{
    // Highs 79 °F today; yesterday's high and rain vary. Cloud cover 50 and code 1: "Mostly sunny skies".
    const auto yesterday = [](double high, double rain = 0) {
        return [=](Forecast &f) {
            f.daily[0].tempMax = 79;
            f.daily[0].apparentMax = 79;
            DailyWeather y = f.daily[0];
            y.tempMax = high;
            y.precipitationSum = rain;
            f.yesterday = y;
        };
    };
    const struct
    {
        const char *name;
        ForecastEdit setup;
        const char *key;
        int index;
        const char *suffix;
    } rows[] = {
        { "9 warmer", yesterday(70), "compare", 0, ", about 10 degrees warmer than yesterday." },
        { "9 warmer", yesterday(70), "compare", 1, ", a good 10 degrees up on yesterday." },
        { "9 warmer", yesterday(70), "compare", 2, ", noticeably milder than yesterday." },
        { "12.5 cooler", yesterday(91.5), "compare", 0, ", about 15 degrees cooler than yesterday." },
        { "12.4 cooler", yesterday(91.4), "compare", 1, ", a good 10 degrees down on yesterday." },
        { "8.5 cooler", yesterday(87.5), "compare", 2, ", noticeably cooler than yesterday." },
        { "wet yesterday", yesterday(79, 0.3), "compare-dry", 0, ", a welcome break after yesterday's rain." },
        { "wet yesterday", yesterday(75, 0.3), "compare-dry", 1, ", a drier day than yesterday." },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.name) + " / variant " + std::to_string(row.index));
        Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"));
        row.setup(f);
        f = withVariant(f, QString::fromLatin1(row.key), row.index, row.key == std::string("compare") ? 3 : 2,
            fixtures::kCentralZones);
        const QString text = fixtures::onlyOf(f, BriefingCategory::Temperature).text;
        EXPECT_TRUE(text.endsWith(QString::fromLatin1(row.suffix))) << text.toStdString();
    }

    // After sunset, with rain today, within a step of yesterday, or on a hot day: no comparison.
    const auto plain = [](Forecast f) { return fixtures::onlyOf(f, BriefingCategory::Temperature).text; };
    Forecast f = quietForecast(QStringLiteral("2026-07-14T20:00"));
    yesterday(70)(f);
    EXPECT_FALSE(plain(f).contains(QStringLiteral("yesterday")));
    f.current.time = QStringLiteral("2026-07-14T19:00");
    EXPECT_TRUE(plain(f).contains(QStringLiteral("yesterday")));
    f = quietForecast();
    yesterday(71)(f);
    EXPECT_FALSE(plain(f).contains(QStringLiteral("yesterday")));
    yesterday(79, 0.3)(f);
    rainAt(f, 3, 2, 50);
    EXPECT_FALSE(plain(f).contains(QStringLiteral("yesterday")));
    f = quietForecast();
    yesterday(70)(f);
    f.daily[0].apparentMax = 96;
    EXPECT_FALSE(plain(f).contains(QStringLiteral("yesterday")));
    f.daily[0].apparentMax = 20; // cold carries the suffix
    EXPECT_TRUE(plain(f).contains(QStringLiteral("yesterday")));
}

TEST(TemperatureSentence, WordingHoldsWithinASixHourBlock)
{
    // The phrasing seed changes between 05:59 and 06:00 but not between 06:00 and 11:59.
    const auto texts = [](const char *now, const QString &zone) {
        Forecast f = quietForecast(QString::fromLatin1(now));
        f.timezone = zone;
        f.current.time = QString::fromLatin1(now);
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
