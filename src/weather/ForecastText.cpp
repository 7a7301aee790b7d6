// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/ForecastText.h"

#include "net/AppError.h"
#include "net/JsonReaders.h"
#include "text/NumberText.h"
#include "weather/WeatherCodes.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

#include <cmath>

namespace forecast_text {

namespace {

using json::NumberList;

// The number lists of one series object (main or fallback), each read once.
class Series
{
public:
    explicit Series(std::optional<QJsonObject> object)
        : m_object(std::move(object))
    { }

    const NumberList &list(const char *key)
    {
        auto it = m_lists.find(key);
        if (it == m_lists.end()) {
            it = m_lists.insert(key, m_object ? json::numberList(*m_object, QLatin1StringView(key)) : NumberList());
        }
        return it.value();
    }
    std::optional<double> at(const char *key, qsizetype i) { return json::at(list(key), i); }

private:
    std::optional<QJsonObject> m_object;
    QHash<const char *, NumberList> m_lists;
};

// A main series with its fallback, for the values the main model may lack.
struct Pair
{
    Series main;
    Series fallback;

    std::optional<double> at(const char *key, qsizetype i) { return main.at(key, i); }
    std::optional<double> filled(const char *key, qsizetype i)
    {
        if (const auto value = main.at(key, i)) {
            return value;
        }
        return fallback.at(key, i);
    }
};

std::optional<QJsonObject> child(const std::optional<QJsonObject> &parent, const char *key)
{
    return parent ? json::object(*parent, QLatin1StringView(key)) : std::nullopt;
}

QString zeroed(std::optional<double> value)
{
    return number(value.value_or(0.0));
}

QString words(std::optional<double> code)
{
    return weather_codes::weatherDescription(json::truncated(code.value_or(0.0)));
}

QString clockText(const QStringList &times, qsizetype i)
{
    if (i >= times.size()) {
        return QStringLiteral("n/a");
    }
    const QString &instant = times.at(i);
    const qsizetype t = instant.indexOf(QLatin1Char('T'));
    return t >= 0 ? instant.mid(t + 1) : instant;
}

QString aqiCategory(qint64 aqi)
{
    if (aqi < 51) {
        return QStringLiteral("Good");
    }
    if (aqi <= 100) {
        return QStringLiteral("Moderate");
    }
    if (aqi <= 150) {
        return QStringLiteral("Unhealthy for Sensitive Groups");
    }
    if (aqi <= 200) {
        return QStringLiteral("Unhealthy");
    }
    if (aqi <= 300) {
        return QStringLiteral("Very Unhealthy");
    }
    return QStringLiteral("Hazardous");
}

std::optional<QString> airQualityLine(const std::optional<QJsonObject> &airQuality)
{
    const auto current = child(airQuality, "current");
    if (!current) {
        return std::nullopt;
    }
    QStringList parts;
    if (const auto aqi = json::number(*current, QLatin1StringView("us_aqi"))) {
        const qint64 value = json::truncated(*aqi);
        parts.append(QStringLiteral("US AQI ") + QString::number(value) + QStringLiteral(" (") + aqiCategory(value)
            + QLatin1Char(')'));
    }
    const auto micrograms = [&](const char *key, const char *label) {
        if (const auto value = json::number(*current, QLatin1StringView(key))) {
            parts.append(QLatin1StringView(label) + number(value) + QStringLiteral(" μg/m³"));
        }
    };
    micrograms("pm2_5", "PM2.5 ");
    micrograms("pm10", "PM10 ");
    micrograms("ozone", "ozone ");
    if (parts.isEmpty()) {
        return std::nullopt;
    }
    return QStringLiteral("Air quality: ") + parts.join(QStringLiteral(", ")) + QLatin1Char('.');
}

bool hasPresentNumber(const NumberList &list)
{
    return std::any_of(list.cbegin(), list.cend(), [](const std::optional<double> &v) { return v.has_value(); });
}

void appendNowcast(QStringList &lines, const std::optional<QJsonObject> &main,
    const std::optional<QJsonObject> &fallback, const QString &precipUnit)
{
    std::optional<QJsonObject> chosen;
    NumberList amounts;
    for (const auto &candidate : { child(main, "minutely_15"), child(fallback, "minutely_15") }) {
        if (!candidate) {
            continue;
        }
        NumberList list = json::numberList(*candidate, QLatin1StringView("precipitation"));
        if (hasPresentNumber(list)) {
            chosen = candidate;
            amounts = std::move(list);
            break;
        }
    }
    if (!chosen) {
        return;
    }
    lines.append(QString());
    lines.append(QStringLiteral("Precipitation nowcast (15-minute steps, next 3 hours):"));
    const QStringList times = json::textList(*chosen, QLatin1StringView("time"));
    const NumberList codes = json::numberList(*chosen, QLatin1StringView("weather_code"));
    bool any = false;
    for (qsizetype i = 0; i < times.size(); ++i) {
        const auto amount = json::at(amounts, i);
        if (!amount || *amount <= 0) {
            continue;
        }
        QString line =
            QStringLiteral("- ") + times.at(i) + QStringLiteral(": ") + number(amount) + QLatin1Char(' ') + precipUnit;
        if (const auto code = json::at(codes, i)) {
            line += QStringLiteral(" (") + words(code) + QLatin1Char(')');
        }
        lines.append(line);
        any = true;
    }
    if (!any) {
        lines.append(QStringLiteral("- No precipitation expected in the next 3 hours."));
    }
}

} // namespace

QString number(std::optional<double> value)
{
    if (!value) {
        return QStringLiteral("n/a");
    }
    const double v = *value;
    if (v == 0.0) {
        return QStringLiteral("0"); // also -0
    }
    if (std::isfinite(v) && std::trunc(v) == v) {
        return text::cformat("%.0f", v);
    }
    return text::cformat("%.1f", v);
}

QString render(const QJsonObject &main, const std::optional<QJsonObject> &fallback,
    const std::optional<QJsonObject> &airQuality, const Options &options)
{
    const auto current = json::object(main, QLatin1StringView("current"));
    const auto dailyObject = json::object(main, QLatin1StringView("daily"));
    const auto hourlyObject = json::object(main, QLatin1StringView("hourly"));
    if (!current || !dailyObject || !hourlyObject) {
        throw HttpError::badResponse();
    }
    const std::optional<QJsonObject> mainObject = main;
    const QString T = options.fahrenheit ? QStringLiteral("°F") : QStringLiteral("°C");
    const QString W = options.mph ? QStringLiteral("mph") : QStringLiteral("km/h");
    const QString P = options.fahrenheit ? QStringLiteral("in") : QStringLiteral("mm");

    QStringList lines;
    lines.append(
        QStringLiteral("Timezone: ") + json::text(main, QLatin1StringView("timezone")).value_or(options.timezone));
    lines.append(QStringLiteral("Units: temperatures ") + T + QStringLiteral(", wind ") + W
        + QStringLiteral(", precipitation ") + P + QLatin1Char('.'));

    // Conditions now.
    const QJsonObject &cur = *current;
    const auto c = [&cur](const char *key) { return json::number(cur, QLatin1StringView(key)); };
    const QString currentTime = json::text(cur, QLatin1StringView("time")).value_or(QString());
    const QStringList hourTimes = json::textList(*hourlyObject, QLatin1StringView("time"));
    qsizetype currentHour = 0;
    for (qsizetype i = 0; i < hourTimes.size(); ++i) {
        if (hourTimes.at(i) >= currentTime) {
            currentHour = i;
            break;
        }
    }
    Pair hourly { Series(hourlyObject), Series(child(fallback, "hourly")) };
    std::optional<double> pressure = c("pressure_msl");
    if (!pressure) {
        if (const auto fallbackCurrent = child(fallback, "current")) {
            pressure = json::number(*fallbackCurrent, QLatin1StringView("pressure_msl"));
        }
    }
    const bool isDay = json::integer(cur, QLatin1StringView("is_day")) == 1;
    lines.append(QStringLiteral("Current (") + currentTime + QStringLiteral("): ") + number(c("temperature_2m")) + T
        + QStringLiteral(" (feels ") + number(c("apparent_temperature")) + T + QStringLiteral(", wet bulb ")
        + number(c("wet_bulb_temperature_2m")) + T + QStringLiteral("), ")
        + weather_codes::weatherDescription(json::integer(cur, QLatin1StringView("weather_code")).value_or(0))
        + QStringLiteral(", humidity ") + number(c("relative_humidity_2m")) + QStringLiteral("%, ")
        + QStringLiteral("dew point ") + number(hourly.filled("dew_point_2m", currentHour)) + T
        + QStringLiteral(", UV index ") + number(hourly.filled("uv_index", currentHour)) + QStringLiteral(", ")
        + QStringLiteral("cloud cover ") + number(c("cloud_cover")) + QStringLiteral("%, pressure ") + number(pressure)
        + QStringLiteral(" hPa, visibility ") + number(c("visibility")) + QStringLiteral(" m, ")
        + QStringLiteral("CAPE ") + number(c("cape")) + QStringLiteral(" J/kg, ") + QStringLiteral("wind ")
        + number(c("wind_speed_10m")) + QLatin1Char(' ') + W + QStringLiteral(" from ")
        + number(c("wind_direction_10m")) + QStringLiteral("° (gusts ") + number(c("wind_gusts_10m"))
        + QStringLiteral("), ") + QStringLiteral("precipitation ") + number(c("precipitation")) + QLatin1Char(' ') + P
        + QStringLiteral(", ") + (isDay ? QStringLiteral("daytime") : QStringLiteral("nighttime")) + QLatin1Char('.'));

    if (const auto air = airQualityLine(airQuality)) {
        lines.append(*air);
    }

    appendNowcast(lines, mainObject, fallback, P);

    // Days.
    lines.append(QString());
    lines.append(QStringLiteral("7-day daily outlook:"));
    const QStringList dates = json::textList(*dailyObject, QLatin1StringView("time"));
    const QStringList sunrises = json::textList(*dailyObject, QLatin1StringView("sunrise"));
    const QStringList sunsets = json::textList(*dailyObject, QLatin1StringView("sunset"));
    Pair daily { Series(dailyObject), Series(child(fallback, "daily")) };
    for (qsizetype i = 0; i < dates.size(); ++i) {
        const auto d = [&daily, i](const char *key) { return daily.at(key, i); };
        const auto f = [&daily, i](const char *key) { return daily.filled(key, i); };
        lines.append(QStringLiteral("- ") + dates.at(i) + QStringLiteral(": ") + words(d("weather_code"))
            + QStringLiteral(", ") + QStringLiteral("high ") + number(d("temperature_2m_max")) + T
            + QStringLiteral(" / low ") + number(d("temperature_2m_min")) + T + QLatin1Char(' ')
            + QStringLiteral("(feels ") + number(d("apparent_temperature_max")) + QLatin1Char('/')
            + number(d("apparent_temperature_min")) + T + QStringLiteral("), ") + QStringLiteral("precip chance ")
            + zeroed(d("precipitation_probability_max")) + QStringLiteral("%, ") + QStringLiteral("total ")
            + zeroed(d("precipitation_sum")) + QLatin1Char(' ') + P + QStringLiteral(" (rain ") + zeroed(d("rain_sum"))
            + QStringLiteral(", snow ") + zeroed(d("snowfall_sum")) + QStringLiteral(") over ")
            + zeroed(d("precipitation_hours")) + QStringLiteral(" h, ") + QStringLiteral("max wind ")
            + number(d("wind_speed_10m_max")) + QLatin1Char(' ') + W + QStringLiteral(" from ")
            + number(d("wind_direction_10m_dominant")) + QStringLiteral("° (gusts ") + number(d("wind_gusts_10m_max"))
            + QStringLiteral("), ") + QStringLiteral("dew point avg ") + number(f("dew_point_2m_mean")) + T
            + QStringLiteral(" (max ") + number(f("dew_point_2m_max")) + T + QStringLiteral("), ")
            + QStringLiteral("humidity avg ") + number(f("relative_humidity_2m_mean"))
            + QStringLiteral("%, cloud cover avg ") + number(f("cloud_cover_mean")) + QStringLiteral("%, ")
            + QStringLiteral("UV max ") + number(f("uv_index_max")) + QStringLiteral(", daylight ")
            + text::cformat("%.1f", d("daylight_duration").value_or(0.0) / 3600.0) + QStringLiteral(" h, ")
            + QStringLiteral("sunrise ") + clockText(sunrises, i) + QStringLiteral(", sunset ") + clockText(sunsets, i)
            + QLatin1Char('.'));
    }

    // Hours.
    lines.append(QString());
    lines.append(QStringLiteral("Hourly (next 48h):"));
    const qsizetype endHour = std::min<qsizetype>(hourTimes.size(), currentHour + 48);
    for (qsizetype i = currentHour; i < endHour; ++i) {
        const auto h = [&hourly, i](const char *key) { return hourly.at(key, i); };
        QString line = QStringLiteral("- ") + hourTimes.at(i) + QStringLiteral(": ") + number(h("temperature_2m")) + T
            + QStringLiteral(" (feels ") + number(h("apparent_temperature")) + T + QStringLiteral("), ")
            + words(h("weather_code")) + QStringLiteral(", humidity ") + number(h("relative_humidity_2m"))
            + QStringLiteral("%, ") + QStringLiteral("dew point ") + number(h("dew_point_2m")) + T
            + QStringLiteral(", ") + QStringLiteral("precip ") + zeroed(h("precipitation_probability"))
            + QStringLiteral("% / ") + number(h("precipitation")) + QLatin1Char(' ') + P + QStringLiteral(", ")
            + QStringLiteral("cloud ") + number(h("cloud_cover")) + QStringLiteral("%, ") + QStringLiteral("wind ")
            + number(h("wind_speed_10m")) + QLatin1Char(' ') + W + QStringLiteral(" from ")
            + number(h("wind_direction_10m")) + QStringLiteral("° (gusts ") + number(h("wind_gusts_10m"))
            + QStringLiteral("), ") + QStringLiteral("visibility ") + number(hourly.filled("visibility", i))
            + QStringLiteral(" m, CAPE ") + number(h("cape")) + QStringLiteral(" J/kg, ") + QStringLiteral("UV ")
            + number(hourly.filled("uv_index", i));
        if (const auto snow = hourly.filled("snow_depth", i); snow && *snow > 0) {
            line += QStringLiteral(", snow depth ") + number(snow) + QStringLiteral(" m");
        }
        if (const auto sunshine = hourly.filled("sunshine_duration", i)) {
            line += QStringLiteral(", sunshine ") + QString::number(json::truncated(*sunshine / 60.0))
                + QStringLiteral(" min");
        }
        line += QLatin1Char('.');
        lines.append(line);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace forecast_text
