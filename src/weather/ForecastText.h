// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>

// The forecast text block the language model reads, rendered straight from the replies of the
// rich forecast request: the main reply, the optional fallback reply (the same request without
// the National Blend of Models, which fills the values that model lacks) and the optional
// air-quality reply. A pure function: no clock, no network.
namespace forecast_text {

struct Options
{
    QString timezone; // the requested zone name, used when the reply names none
    bool fahrenheit = true;
    bool mph = true;
};

// Throws HttpError::badResponse when the main reply has no "current", "daily" or "hourly"
// object; every other missing value prints as "n/a", "0", "clear sky" or leaves its piece out.
[[nodiscard]] QString render(const QJsonObject &main, const std::optional<QJsonObject> &fallback,
    const std::optional<QJsonObject> &airQuality, const Options &options);

// The number format of the block: "n/a" when absent, "72" with no fractional part, else one
// decimal ("0.4").
[[nodiscard]] QString number(std::optional<double> value);

} // namespace forecast_text
