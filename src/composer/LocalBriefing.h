// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/ClimateNormals.h"
#include "weather/Forecast.h"
#include "weather/NextHourNowcast.h"
#include "weather/NwsAlert.h"

#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

// What the local composer reads: the same four inputs a refresh gathers.
struct ComposerInputs
{
    Forecast forecast;
    QList<NwsAlert> alerts;
    std::optional<NextHourNowcast> nowcast;
    std::optional<ClimateNormals> normals;
};

namespace composer {

// The composer's briefing for a forecast: the selected sentences joined with single spaces, or
// an empty text when the forecast gives no features. The composer's "now" is the forecast's
// current time, so the same inputs always give the same text.
[[nodiscard]] QString localBriefingText(const Forecast &forecast, const QList<NwsAlert> &alerts,
    const std::optional<NextHourNowcast> &nowcast, const std::optional<ClimateNormals> &normals);

// Every candidate, one per line in generator order as "category<TAB>horizon<TAB>score<TAB>text",
// then a line "---", then the briefing text and a final newline. Without features only "---"
// and an empty line.
[[nodiscard]] QString composeReport(const ComposerInputs &inputs);

// Reads saved inputs: {"forecast": the forecast JSON, "alerts": [alert objects with the
// record's field names], "nowcast": null or {"minutes": [{"date", "chance", "intensity"}],
// "summary"}, "normals": null or the climate normals JSON}. A missing member counts as empty or
// absent; a member of the wrong shape throws AppError naming it.
[[nodiscard]] ComposerInputs composerInputsFromJson(const QJsonObject &object);

} // namespace composer
