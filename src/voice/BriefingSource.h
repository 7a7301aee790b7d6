// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/SavedLocation.h"

#include <QString>

#include <QCoroTask>

#include <optional>

// What the speech controller reads from the app model: the briefing the user would hear, the
// place it is for and whether a forecast is loaded, and a way to bring them up to date.
class BriefingSource
{
public:
    virtual ~BriefingSource() = default;

    // The AI briefing, else the local composer's text; nothing before the first forecast.
    [[nodiscard]] virtual std::optional<QString> currentBriefingText() const = 0;
    // The selected place, its time zone filled in from the forecast when it had none.
    [[nodiscard]] virtual std::optional<SavedLocation> briefingPlace() const = 0;
    [[nodiscard]] virtual bool hasForecast() const = 0;
    // Returns once the model has tried to load a forecast and briefing, or has found its last
    // refresh recent enough.
    [[nodiscard]] virtual QCoro::Task<> refreshIfStale() = 0;
};
