// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text/HomeText.h"

#include <gtest/gtest.h>

using namespace home_text;

TEST(HomeText, TemperaturesRoundHalvesAwayFromZero)
{
    EXPECT_EQ(temperature(71.5), QStringLiteral("72°"));
    EXPECT_EQ(temperature(71.49), QStringLiteral("71°"));
    EXPECT_EQ(temperature(-0.4), QStringLiteral("0°"));
    EXPECT_EQ(temperature(-2.5), QStringLiteral("-3°"));
}

TEST(HomeText, FeelsLikeLineAddsTodaysHighAndLow)
{
    Forecast f;
    f.current.time = QStringLiteral("2026-07-14T10:15");
    f.current.apparentTemperature = 67.6;
    EXPECT_EQ(feelsLikeLine(f), QStringLiteral("Feels like 68°"));
    DailyWeather yesterday;
    yesterday.date = QStringLiteral("2026-07-13");
    yesterday.tempMax = 99;
    DailyWeather today;
    today.date = QStringLiteral("2026-07-14");
    today.tempMax = 74.5;
    today.tempMin = 58.2;
    f.daily = { yesterday, today };
    EXPECT_EQ(feelsLikeLine(f), QStringLiteral("Feels like 68° · H:75° L:58°"));
}

TEST(HomeText, ScreenStates)
{
    const struct
    {
        ScreenInputs in;
        ScreenState state;
        const char *message;
    } cases[] = {
        { { false, true, false, false, false }, ScreenState::FindingLocation, "Finding your location…" },
        { { true, false, false, true, false }, ScreenState::LoadingForecast, "Loading the forecast…" },
        { { false, false, false, false, false }, ScreenState::NoLocation, "No location set" },
        { { false, false, false, false, true }, ScreenState::NoLocation, "No location set" },
        { { true, false, false, false, true }, ScreenState::Failed, "Failed to load forecast" },
        { { true, false, false, true, true }, ScreenState::LoadingForecast, "Loading the forecast…" },
        { { true, false, true, true, true }, ScreenState::Cards, "" },
        { { true, true, true, false, false }, ScreenState::Cards, "" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(screenState(c.in), c.state);
        EXPECT_EQ(screenMessage(c.state), QString::fromUtf8(c.message));
    }
}
