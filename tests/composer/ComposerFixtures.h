// SPDX-License-Identifier: GPL-3.0-or-later
// Small hand-built forecasts for the composer tests.
#pragma once

#include "composer/BriefingComposer.h"
#include "composer/TimePhrases.h"
#include "composer/WeatherFeatures.h"

#include <QDateTime>
#include <QStringList>

#include <gtest/gtest.h>

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
inline const QStringList kCentralZones = QStringLiteral(
    "America/Chicago America/Winnipeg America/Menominee America/Matamoros America/Indiana/Knox "
    "America/North_Dakota/Center America/Rainy_River America/Indiana/Tell_City America/North_Dakota/New_Salem "
    "America/North_Dakota/Beulah America/Rankin_Inlet America/Resolute US/Central CST6CDT Canada/Central "
    "America/Knox_IN US/Indiana-Starke America/Ojinaga")
                                             .split(u' ');
inline const QStringList kParisZones = QStringLiteral(
    "Europe/Paris Europe/Berlin Europe/Madrid Europe/Rome Europe/Vienna Europe/Amsterdam Europe/Brussels "
    "Europe/Prague Europe/Budapest Europe/Warsaw Europe/Stockholm Europe/Oslo Europe/Copenhagen Europe/Zurich "
    "Europe/Luxembourg Europe/Monaco Europe/Belgrade Europe/Zagreb")
                                           .split(u' ');

// A quiet forecast: 48 dry hours from the hour of `now`, seven mild days from its date, sunrise
// 06:00, sunset 20:00. Fahrenheit/mph in Chicago, or Celsius/km/h in Paris.
inline Forecast quietForecast(const QString &now = QStringLiteral("2026-07-14T10:00"), bool fahrenheit = true)
{
    Forecast f;
    f.timezone = fahrenheit ? QStringLiteral("America/Chicago") : QStringLiteral("Europe/Paris");
    f.temperatureUnit = fahrenheit ? QStringLiteral("°F") : QStringLiteral("°C");
    f.windSpeedUnit = fahrenheit ? QStringLiteral("mph") : QStringLiteral("km/h");
    f.current.time = now;
    f.current.cloudCover = 50;
    const QDateTime naive(
        QDate::fromString(now.left(10), QStringLiteral("yyyy-MM-dd")), QTime(now.mid(11, 2).toInt(), 0), Qt::UTC);
    const double mild = fahrenheit ? 70 : 21;
    for (int i = 0; i < 48; ++i) {
        HourlyWeather h;
        h.time = naive.addSecs(3600LL * i).toString(QStringLiteral("yyyy-MM-dd'T'HH:mm"));
        h.temperature = h.apparentTemperature = mild;
        h.weatherCode = 1;
        h.dewPoint = fahrenheit ? 57 : 14; // comfortable
        h.cloudCover = 50;
        h.windSpeed = 5;
        f.hourly.append(h);
    }
    for (int i = 0; i < 7; ++i) {
        DailyWeather d;
        d.date = naive.date().addDays(i).toString(QStringLiteral("yyyy-MM-dd"));
        d.weatherCode = 1;
        d.tempMax = d.apparentMax = mild;
        d.tempMin = d.apparentMin = mild - 10;
        d.uvIndexMax = 3;
        d.windSpeedMax = 5;
        d.windGustsMax = 10;
        d.sunrise = d.date + QStringLiteral("T06:00");
        d.sunset = d.date + QStringLiteral("T20:00");
        f.daily.append(d);
    }
    return f;
}

// Wet hours [from, from + hours) with the probability and code given.
inline Forecast rainAt(Forecast f, int from, int hours, double probability, qint64 code = 61)
{
    for (int i = from; i < from + hours; ++i) {
        f.hourly[i].precipitationProbability = probability;
        f.hourly[i].weatherCode = code;
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
inline QList<BriefingCandidate> ofCategory(const Forecast &forecast, BriefingCategory category,
    const QList<NwsAlert> &alerts = {}, const std::optional<NextHourNowcast> &nowcast = std::nullopt,
    const std::optional<ClimateNormals> &normals = std::nullopt)
{
    QList<BriefingCandidate> out;
    for (const BriefingCandidate &c : composer::candidates(featuresOf(forecast, alerts, nowcast, normals))) {
        if (c.category == category) {
            out.append(c);
        }
    }
    return out;
}

// The one candidate of a category, or an empty one (with a failure) when there is none or several.
inline BriefingCandidate onlyOf(const Forecast &forecast, BriefingCategory category, const QList<NwsAlert> &alerts = {},
    const std::optional<NextHourNowcast> &nowcast = std::nullopt)
{
    const QList<BriefingCandidate> found = ofCategory(forecast, category, alerts, nowcast);
    if (found.size() != 1) {
        ADD_FAILURE() << found.size() << " candidates of category " << composer::categoryName(category).toStdString();
        return {};
    }
    return found.constFirst();
}

// The forecast moved to the first zone with its wall clock whose phrasing seed for `key` picks
// variant `index` of `count`.
inline Forecast withVariant(Forecast forecast, const char *key, int index, int count = 3)
{
    const bool fahrenheit = forecast.temperatureUnit == QStringLiteral("°F");
    for (const QString &zone : fahrenheit ? kCentralZones : kParisZones) {
        forecast.timezone = zone;
        const auto features = composer::extractFeatures(forecast, {}, std::nullopt, std::nullopt);
        if (features
            && composer::variantSeed(*features, QString::fromLatin1(key)) % static_cast<quint32>(count)
                == static_cast<quint32>(index)) {
            return forecast;
        }
    }
    ADD_FAILURE() << "no zone picks variant " << index << " of " << key;
    return forecast;
}

struct Phrasing
{
    Forecast forecast;
    const char *key;
    int index;
    int score;
    const char *text;
    bool precip = false;
};

// Each row's forecast read in the zone that picks the row's variant: the category has exactly one
// candidate with the row's score, and it has the row's text, horizon and precipitation flag.
inline void checkPhrasings(BriefingCategory category, BriefingHorizon horizon, std::initializer_list<Phrasing> rows,
    const std::optional<ClimateNormals> &normals = std::nullopt)
{
    for (const Phrasing &row : rows) {
        SCOPED_TRACE(std::string(row.key) + " / " + std::to_string(row.index) + ": " + row.text);
        QList<BriefingCandidate> found;
        std::string all;
        for (const BriefingCandidate &c :
            ofCategory(withVariant(row.forecast, row.key, row.index), category, {}, std::nullopt, normals)) {
            all += std::to_string(c.score) + " " + c.text.toStdString() + "\n";
            if (c.score == row.score) {
                found.append(c);
            }
        }
        ASSERT_EQ(found.size(), 1) << all;
        EXPECT_EQ(found[0].text, QString::fromUtf8(row.text));
        EXPECT_EQ(found[0].horizon, horizon);
        EXPECT_EQ(found[0].mentionsPrecip, row.precip);
    }
}

} // namespace fixtures
