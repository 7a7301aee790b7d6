// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/ForecastJson.h"

#include "net/JsonReaders.h"

#include <QJsonArray>

namespace forecast_json {
namespace {

QJsonValue optionalNumber(const std::optional<double> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject currentJson(const CurrentWeather &c)
{
    return QJsonObject {
        { QStringLiteral("time"), c.time },
        { QStringLiteral("temperature"), c.temperature },
        { QStringLiteral("apparentTemperature"), c.apparentTemperature },
        { QStringLiteral("weatherCode"), c.weatherCode },
        { QStringLiteral("isDay"), c.isDay },
        { QStringLiteral("windSpeed"), c.windSpeed },
        { QStringLiteral("windDirection"), c.windDirection },
        { QStringLiteral("windGusts"), c.windGusts },
        { QStringLiteral("humidity"), c.humidity },
        { QStringLiteral("dewPoint"), c.dewPoint },
        { QStringLiteral("cloudCover"), c.cloudCover },
        { QStringLiteral("precipitation"), c.precipitation },
        { QStringLiteral("uvIndex"), c.uvIndex },
    };
}

QJsonObject hourJson(const HourlyWeather &h)
{
    return QJsonObject {
        { QStringLiteral("time"), h.time },
        { QStringLiteral("temperature"), h.temperature },
        { QStringLiteral("apparentTemperature"), h.apparentTemperature },
        { QStringLiteral("weatherCode"), h.weatherCode },
        { QStringLiteral("precipitationProbability"), h.precipitationProbability },
        { QStringLiteral("precipitation"), h.precipitation },
        { QStringLiteral("dewPoint"), optionalNumber(h.dewPoint) },
        { QStringLiteral("humidity"), h.humidity },
        { QStringLiteral("cloudCover"), h.cloudCover },
        { QStringLiteral("windSpeed"), h.windSpeed },
        { QStringLiteral("windGusts"), h.windGusts },
        { QStringLiteral("isDay"), h.isDay },
    };
}

QJsonObject dayJson(const DailyWeather &d)
{
    return QJsonObject {
        { QStringLiteral("date"), d.date },
        { QStringLiteral("weatherCode"), d.weatherCode },
        { QStringLiteral("tempMax"), d.tempMax },
        { QStringLiteral("tempMin"), d.tempMin },
        { QStringLiteral("apparentMax"), d.apparentMax },
        { QStringLiteral("apparentMin"), d.apparentMin },
        { QStringLiteral("precipitationProbabilityMax"), d.precipitationProbabilityMax },
        { QStringLiteral("precipitationSum"), d.precipitationSum },
        { QStringLiteral("rainSum"), d.rainSum },
        { QStringLiteral("snowfallSum"), d.snowfallSum },
        { QStringLiteral("precipitationHours"), d.precipitationHours },
        { QStringLiteral("windSpeedMax"), d.windSpeedMax },
        { QStringLiteral("windGustsMax"), d.windGustsMax },
        { QStringLiteral("uvIndexMax"), d.uvIndexMax },
        { QStringLiteral("sunrise"), d.sunrise },
        { QStringLiteral("sunset"), d.sunset },
    };
}

double num(const QJsonObject &o, const char *key)
{
    return json::number(o, QLatin1StringView(key)).value_or(0.0);
}

QString str(const QJsonObject &o, const char *key)
{
    return json::text(o, QLatin1StringView(key)).value_or(QString());
}

bool flag(const QJsonObject &o, const char *key)
{
    return o.value(QLatin1StringView(key)).toBool(false);
}

qint64 code(const QJsonObject &o)
{
    return json::integer(o, QLatin1StringView("weatherCode")).value_or(0);
}

DailyWeather dayFrom(const QJsonObject &o)
{
    DailyWeather d;
    d.date = str(o, "date");
    d.weatherCode = code(o);
    d.tempMax = num(o, "tempMax");
    d.tempMin = num(o, "tempMin");
    d.apparentMax = json::number(o, QLatin1StringView("apparentMax")).value_or(d.tempMax);
    d.apparentMin = json::number(o, QLatin1StringView("apparentMin")).value_or(d.tempMin);
    d.precipitationProbabilityMax = num(o, "precipitationProbabilityMax");
    d.precipitationSum = num(o, "precipitationSum");
    d.rainSum = num(o, "rainSum");
    d.snowfallSum = num(o, "snowfallSum");
    d.precipitationHours = num(o, "precipitationHours");
    d.windSpeedMax = num(o, "windSpeedMax");
    d.windGustsMax = num(o, "windGustsMax");
    d.uvIndexMax = num(o, "uvIndexMax");
    d.sunrise = str(o, "sunrise");
    d.sunset = str(o, "sunset");
    return d;
}

} // namespace

QJsonObject toJson(const Forecast &forecast)
{
    QJsonArray daily;
    for (const DailyWeather &d : forecast.daily) {
        daily.append(dayJson(d));
    }
    QJsonArray hourly;
    for (const HourlyWeather &h : forecast.hourly) {
        hourly.append(hourJson(h));
    }
    return QJsonObject {
        { QStringLiteral("current"), currentJson(forecast.current) },
        { QStringLiteral("daily"), daily },
        { QStringLiteral("hourly"), hourly },
        { QStringLiteral("yesterday"), forecast.yesterday ? QJsonValue(dayJson(*forecast.yesterday)) : QJsonValue() },
        { QStringLiteral("temperatureUnit"), forecast.temperatureUnit },
        { QStringLiteral("windSpeedUnit"), forecast.windSpeedUnit },
        { QStringLiteral("timezone"), forecast.timezone },
    };
}

std::optional<Forecast> fromJson(const QJsonValue &value)
{
    if (!value.isObject()) {
        return std::nullopt;
    }
    const QJsonObject o = value.toObject();
    Forecast f;
    const QJsonObject c = o.value(QLatin1StringView("current")).toObject();
    f.current.time = str(c, "time");
    f.current.temperature = num(c, "temperature");
    f.current.apparentTemperature = num(c, "apparentTemperature");
    f.current.weatherCode = code(c);
    f.current.isDay = flag(c, "isDay");
    f.current.windSpeed = num(c, "windSpeed");
    f.current.windDirection = num(c, "windDirection");
    f.current.windGusts = num(c, "windGusts");
    f.current.humidity = num(c, "humidity");
    f.current.dewPoint = num(c, "dewPoint");
    f.current.cloudCover = num(c, "cloudCover");
    f.current.precipitation = num(c, "precipitation");
    f.current.uvIndex = num(c, "uvIndex");
    for (const QJsonValue &d : o.value(QLatin1StringView("daily")).toArray()) {
        f.daily.append(dayFrom(d.toObject()));
    }
    for (const QJsonValue &v : o.value(QLatin1StringView("hourly")).toArray()) {
        const QJsonObject h = v.toObject();
        HourlyWeather hour;
        hour.time = str(h, "time");
        hour.temperature = num(h, "temperature");
        hour.apparentTemperature = json::number(h, QLatin1StringView("apparentTemperature")).value_or(hour.temperature);
        hour.weatherCode = code(h);
        hour.precipitationProbability = num(h, "precipitationProbability");
        hour.precipitation = num(h, "precipitation");
        hour.dewPoint = json::number(h, QLatin1StringView("dewPoint"));
        hour.humidity = num(h, "humidity");
        hour.cloudCover = num(h, "cloudCover");
        hour.windSpeed = num(h, "windSpeed");
        hour.windGusts = num(h, "windGusts");
        hour.isDay = flag(h, "isDay");
        f.hourly.append(hour);
    }
    if (const auto y = json::object(o, QLatin1StringView("yesterday"))) {
        f.yesterday = dayFrom(*y);
    }
    f.temperatureUnit = str(o, "temperatureUnit");
    f.windSpeedUnit = str(o, "windSpeedUnit");
    f.timezone = str(o, "timezone");
    return f;
}

} // namespace forecast_json
