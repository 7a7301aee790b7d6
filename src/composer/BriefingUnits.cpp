// SPDX-License-Identifier: GPL-3.0-or-later
#include "composer/BriefingUnits.h"

#include "weather/Forecast.h"

#include <cmath>
#include <limits>

qint64 roundedHalfAway(double value)
{
    if (!std::isfinite(value)) {
        return 0;
    }
    const double rounded = std::round(value);
    constexpr double limit = 9.0e18;
    if (rounded >= limit) {
        return std::numeric_limits<qint64>::max();
    }
    if (rounded <= -limit) {
        return std::numeric_limits<qint64>::min();
    }
    return static_cast<qint64>(rounded);
}

BriefingUnits BriefingUnits::fromForecast(const Forecast &forecast)
{
    BriefingUnits units;
    units.fahrenheit = forecast.temperatureUnit.contains(u'F');
    units.mph = forecast.windSpeedUnit == QLatin1StringView("mph");
    units.temperatureUnit = forecast.temperatureUnit;
    units.windUnit = forecast.windSpeedUnit;
    return units;
}

QString BriefingUnits::temperature(double value) const
{
    return QString::number(roundedHalfAway(value)) + temperatureUnit;
}

QString BriefingUnits::speed(double value) const
{
    return QString::number(roundedHalfAway(value)) + u' ' + windUnit;
}

QString BriefingUnits::temperatureRange(double value) const
{
    const qint64 n = roundedHalfAway(value);
    if (!fahrenheit || n < 0) {
        return QStringLiteral("around ") + QString::number(n) + temperatureUnit;
    }
    const qint64 d = n % 10;
    const QLatin1StringView word(d <= 3 ? "low" : d <= 6 ? "mid" : "upper");
    return word + u' ' + QString::number(n - d) + u's';
}
