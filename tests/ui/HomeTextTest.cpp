// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text/HomeText.h"

#include <gtest/gtest.h>

using namespace home_text;

TEST(HomeText, TemperaturesRoundHalvesAwayFromZero)
{
    for (const auto &[value, shown] :
        { std::pair { 71.5, "72°" }, { 71.49, "71°" }, { -0.4, "0°" }, { -2.5, "-3°" } }) {
        EXPECT_EQ(temperature(value), QString::fromUtf8(shown));
    }
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
    const std::tuple<ScreenInputs, ScreenState, const char *> cases[] = {
        { { false, true, false, false, false }, ScreenState::FindingLocation, "Finding your location…" },
        { { true, false, false, true, false }, ScreenState::LoadingForecast, "Loading the forecast…" },
        { { false, false, false, false, false }, ScreenState::NoLocation, "No location set" },
        { { false, false, false, false, true }, ScreenState::NoLocation, "No location set" },
        { { true, false, false, false, true }, ScreenState::Failed, "Failed to load forecast" },
        { { true, false, false, true, true }, ScreenState::LoadingForecast, "Loading the forecast…" },
        { { true, false, true, true, true }, ScreenState::Cards, "" },
        { { true, true, true, false, false }, ScreenState::Cards, "" },
    };
    for (const auto &[in, state, message] : cases) {
        SCOPED_TRACE(message);
        EXPECT_EQ(screenState(in), state);
        EXPECT_EQ(screenMessage(state), QString::fromUtf8(message));
    }
}
