// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/Forecast.h"

#include <QJsonObject>

#include <optional>

// The JSON form of a parsed forecast that merrin-cli prints and reads back: the records' field
// names as keys, absent values as null.
namespace forecast_json {

[[nodiscard]] QJsonObject toJson(const Forecast &forecast);
// Reads what toJson writes. Missing numbers read as 0, a missing list as empty; a value that is
// not an object gives nothing.
[[nodiscard]] std::optional<Forecast> fromJson(const QJsonValue &value);

} // namespace forecast_json
