// SPDX-License-Identifier: GPL-3.0-or-later
// Small hand-built forecasts for the composer tests.
#pragma once

#include "composer/BriefingComposer.h"
#include "composer/TimePhrases.h"
#include "composer/WeatherFeatures.h"

#include <QDateTime>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

// Failure messages show texts as text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace fixtures {

// Zones that share the wall clock of Chicago (in July) or of Paris but have different ids, so the
// same forecast can be read with a different phrasing seed.
inline const QStringList kCentralZones = { QStringLiteral("America/Chicago"), QStringLiteral("America/Winnipeg"),
    QStringLiteral("America/Menominee"), QStringLiteral("America/Matamoros"), QStringLiteral("America/Indiana/Knox"),
    QStringLiteral("America/North_Dakota/Center"), QStringLiteral("America/Rainy_River"),
    QStringLiteral("America/Indiana/Tell_City"), QStringLiteral("America/North_Dakota/New_Salem"),
    QStringLiteral("America/North_Dakota/Beulah"), QStringLiteral("America/Rankin_Inlet"),
    QStringLiteral("America/Resolute"), QStringLiteral("US/Central"), QStringLiteral("CST6CDT"),
    QStringLiteral("Canada/Central"), QStringLiteral("America/Knox_IN"), QStringLiteral("US/Indiana-Starke"),
    QStringLiteral("America/Ojinaga") };
inline const QStringList kParisZones = { QStringLiteral("Europe/Paris"), QStringLiteral("Europe/Berlin"),
    QStringLiteral("Europe/Madrid"), QStringLiteral("Europe/Rome"), QStringLiteral("Europe/Vienna"),
    QStringLiteral("Europe/Amsterdam"), QStringLiteral("Europe/Brussels"), QStringLiteral("Europe/Prague"),
    QStringLiteral("Europe/Budapest"), QStringLiteral("Europe/Warsaw"), QStringLiteral("Europe/Stockholm"),
    QStringLiteral("Europe/Oslo"), QStringLiteral("Europe/Copenhagen"), QStringLiteral("Europe/Zurich"),
    QStringLiteral("Europe/Luxembourg"), QStringLiteral("Europe/Monaco"), QStringLiteral("Europe/Belgrade"),
    QStringLiteral("Europe/Zagreb") };

inline QString wallClock(const QDateTime &t)
{
    return t.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm"));
}

// A quiet forecast: 48 dry hours from the hour of `now`, seven mild days from its date,
// sunrise 06:00, sunset 20:00. Fahrenheit/mph, or Celsius/km/h.
inline Forecast quietForecast(const QString &now = QStringLiteral("2026-07-14T10:00"), bool fahrenheit = true,
    const QString &zone = QStringLiteral("America/Chicago"))
{
    Forecast f;
    f.timezone = zone;
    f.temperatureUnit = fahrenheit ? QStringLiteral("°F") : QStringLiteral("°C");
    f.windSpeedUnit = fahrenheit ? QStringLiteral("mph") : QStringLiteral("km/h");
    f.current.time = now;
    f.current.cloudCover = 50;
    const QDateTime naive(
        QDate::fromString(now.left(10), QStringLiteral("yyyy-MM-dd")), QTime(now.mid(11, 2).toInt(), 0), Qt::UTC);
    const double mild = fahrenheit ? 70 : 21;
    for (int i = 0; i < 48; ++i) {
        HourlyWeather h;
        h.time = wallClock(naive.addSecs(3600LL * i));
        h.temperature = mild;
        h.apparentTemperature = mild;
        h.weatherCode = 1;
        h.dewPoint = fahrenheit ? 57 : 14; // comfortable
        h.cloudCover = 50;
        h.windSpeed = 5;
        f.hourly.append(h);
    }
    for (int i = 0; i < 7; ++i) {
        DailyWeather d;
        const QDate date = naive.date().addDays(i);
        d.date = date.toString(QStringLiteral("yyyy-MM-dd"));
        d.weatherCode = 1;
        d.tempMax = mild;
        d.tempMin = mild - 10;
        d.apparentMax = mild;
        d.apparentMin = mild - 10;
        d.uvIndexMax = 3;
        d.windSpeedMax = 5;
        d.windGustsMax = 10;
        d.sunrise = d.date + QStringLiteral("T06:00");
        d.sunset = d.date + QStringLiteral("T20:00");
        f.daily.append(d);
    }
    return f;
}

inline WeatherFeatures featuresOf(const Forecast &forecast, const QList<NwsAlert> &alerts = {},
    const std::optional<NextHourNowcast> &nowcast = std::nullopt,
    const std::optional<ClimateNormals> &normals = std::nullopt)
{
    const auto features = composer::extractFeatures(forecast, alerts, nowcast, normals);
    if (!features) {
        ADD_FAILURE() << "no features";
        return {};
    }
    return *features;
}

// The candidates of one category, in generator order.
inline QList<BriefingCandidate> ofCategory(const QList<BriefingCandidate> &all, BriefingCategory category)
{
    QList<BriefingCandidate> out;
    for (const BriefingCandidate &c : all) {
        if (c.category == category) {
            out.append(c);
        }
    }
    return out;
}

// The forecast moved to the first zone of `zones` whose phrasing seed for `key` picks variant
// `index` of `count`; the wall-clock texts stay the same.
inline Forecast withVariant(Forecast forecast, const QString &key, int index, int count, const QStringList &zones)
{
    for (const QString &zone : zones) {
        forecast.timezone = zone;
        const auto features = composer::extractFeatures(forecast, {}, std::nullopt, std::nullopt);
        if (features
            && static_cast<int>(composer::variantSeed(*features, key) % static_cast<quint32>(count)) == index) {
            return forecast;
        }
    }
    ADD_FAILURE() << "no zone picks variant " << index << " of " << key.toStdString();
    return forecast;
}

} // namespace fixtures

namespace fixtures {

// The one candidate of a category, or an empty one (with a failure) when there is none or several.
inline BriefingCandidate onlyOf(const Forecast &forecast, BriefingCategory category, const QList<NwsAlert> &alerts = {},
    const std::optional<NextHourNowcast> &nowcast = std::nullopt,
    const std::optional<ClimateNormals> &normals = std::nullopt)
{
    const QList<BriefingCandidate> found =
        ofCategory(composer::candidates(featuresOf(forecast, alerts, nowcast, normals)), category);
    if (found.size() != 1) {
        ADD_FAILURE() << found.size() << " candidates of category " << composer::categoryName(category).toStdString();
        return {};
    }
    return found.constFirst();
}

// Whether any candidate of the category exists.
inline bool hasCategory(const Forecast &forecast, BriefingCategory category, const QList<NwsAlert> &alerts = {})
{
    return !ofCategory(composer::candidates(featuresOf(forecast, alerts)), category).isEmpty();
}

} // namespace fixtures

namespace fixtures {

using ForecastEdit = std::function<void(Forecast &)>;

// Wet hours [from, from + hours) with the probability and code given.
inline void rainAt(Forecast &f, int from, int hours, double probability, qint64 code = 61)
{
    for (int i = from; i < from + hours; ++i) {
        f.hourly[i].precipitationProbability = probability;
        f.hourly[i].weatherCode = code;
    }
}

struct VariantRow
{
    const char *name;
    ForecastEdit setup;
    const char *key;
    int index;
    int score;
    const char *text;
};

// Each row's edit applied to a quiet forecast (Tuesday 14 July 2026, 10:00), read in the zone
// that picks the row's variant; the category's only candidate must have the row's text and score.
inline void checkVariants(BriefingCategory category, std::initializer_list<VariantRow> rows, bool fahrenheit = true)
{
    for (const VariantRow &row : rows) {
        SCOPED_TRACE(std::string(row.name) + " / variant " + std::to_string(row.index));
        Forecast f = quietForecast(QStringLiteral("2026-07-14T10:00"), fahrenheit,
            fahrenheit ? QStringLiteral("America/Chicago") : QStringLiteral("Europe/Paris"));
        row.setup(f);
        f = withVariant(f, QString::fromLatin1(row.key), row.index, 3, fahrenheit ? kCentralZones : kParisZones);
        const BriefingCandidate c = onlyOf(f, category);
        EXPECT_EQ(c.text, QString::fromUtf8(row.text));
        EXPECT_EQ(c.score, row.score);
    }
}

} // namespace fixtures
