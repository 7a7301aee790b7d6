// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/ForecastService.h"

#include "net/AppError.h"
#include "net/Captured.h"
#include "net/HttpClient.h"
#include "net/JsonReaders.h"
#include "text/NumberText.h"
#include "weather/ForecastText.h"

#include <QHash>

#include <exception>

namespace {

const QString kForecastPath = QStringLiteral("/v1/forecast");

const QString kCurrentVariables = QStringLiteral(
    "temperature_2m,relative_humidity_2m,dew_point_2m,apparent_temperature,is_day,precipitation,weather_code,"
    "cloud_cover,wind_speed_10m,wind_direction_10m,wind_gusts_10m");
const QString kDailyVariables = QStringLiteral(
    "weather_code,temperature_2m_max,temperature_2m_min,apparent_temperature_max,apparent_temperature_min,"
    "precipitation_probability_max,precipitation_sum,rain_sum,snowfall_sum,precipitation_hours,wind_speed_10m_max,"
    "wind_gusts_10m_max,uv_index_max,sunrise,sunset");
const QString kHourlyVariables = QStringLiteral(
    "temperature_2m,apparent_temperature,dew_point_2m,relative_humidity_2m,weather_code,precipitation_probability,"
    "precipitation,cloud_cover,wind_speed_10m,wind_gusts_10m,is_day,uv_index");

const QString kSummaryCurrent = QStringLiteral(
    "temperature_2m,relative_humidity_2m,apparent_temperature,is_day,precipitation,rain,showers,snowfall,weather_code,"
    "cloud_cover,pressure_msl,wind_speed_10m,wind_direction_10m,wind_gusts_10m,visibility,wet_bulb_temperature_2m,"
    "cape");
const QString kSummaryDaily = QStringLiteral(
    "weather_code,temperature_2m_max,temperature_2m_min,apparent_temperature_max,apparent_temperature_min,"
    "precipitation_probability_max,precipitation_sum,precipitation_hours,wind_speed_10m_max,wind_gusts_10m_max,"
    "uv_index_max,sunrise,sunset,daylight_duration,wind_direction_10m_dominant,rain_sum,snowfall_sum,dew_point_2m_mean,"
    "dew_point_2m_max,relative_humidity_2m_mean,cloud_cover_mean");
const QString kSummaryHourly = QStringLiteral(
    "temperature_2m,relative_humidity_2m,dew_point_2m,apparent_temperature,precipitation_probability,precipitation,"
    "weather_code,cloud_cover,wind_speed_10m,wind_gusts_10m,wind_direction_10m,uv_index,is_day,visibility,cape,"
    "snow_depth,sunshine_duration");

constexpr qsizetype kHourlyWindow = 48;

QString zoneOrAuto(const QString &timezone)
{
    return timezone.isEmpty() ? QStringLiteral("auto") : timezone;
}

// Time text to number, from a "time" list and a number list of the same object. Absent
// numbers are skipped; a repeated time keeps the later number.
QHash<QString, double> lookup(const std::optional<QJsonObject> &series, QLatin1StringView key)
{
    QHash<QString, double> map;
    if (!series) {
        return map;
    }
    const QStringList times = json::textList(*series, QLatin1StringView("time"));
    const json::NumberList values = json::numberList(*series, key);
    for (qsizetype i = 0; i < times.size(); ++i) {
        if (const auto value = json::at(values, i)) {
            map.insert(times.at(i), *value);
        }
    }
    return map;
}

std::optional<QJsonObject> subObject(const std::optional<QJsonObject> &parent, QLatin1StringView key)
{
    return parent ? json::object(*parent, key) : std::nullopt;
}

// The series of one object, read once.
struct Series
{
    explicit Series(const QJsonObject &object)
        : object(object)
    { }
    const json::NumberList &operator[](QLatin1StringView key)
    {
        auto it = lists.find(key);
        if (it == lists.end()) {
            it = lists.insert(key, json::numberList(object, key));
        }
        return it.value();
    }
    const QJsonObject &object;
    QHash<QString, json::NumberList> lists;
};

// Reads a forecast reply body; a failure of any kind gives nothing.
QCoro::Task<std::optional<QJsonObject>> fetchOptionalObject(
    QNetworkAccessManager &network, std::chrono::milliseconds timeout, QUrl url)
{
    try {
        const QByteArray body = co_await net::getData(network, std::move(url), {}, timeout);
        co_return json::parseObject(body);
    } catch (const std::exception &) {
        co_return std::nullopt;
    }
}

QCoro::Task<QJsonObject> fetchObject(QNetworkAccessManager &network, std::chrono::milliseconds timeout, QUrl url)
{
    const QByteArray body = co_await net::getData(network, std::move(url), {}, timeout);
    co_return json::parseObject(body);
}

} // namespace

ForecastService::ForecastService(QNetworkAccessManager &network, Endpoints endpoints, std::chrono::milliseconds timeout)
    : m_network(network)
    , m_endpoints(std::move(endpoints))
    , m_timeout(timeout)
{ }

bool ForecastService::isInConus(double latitude, double longitude)
{
    return latitude >= 24.5 && latitude <= 49.5 && longitude >= -125.0 && longitude <= -66.5;
}

ForecastService::QueryItems ForecastService::forecastQuery(
    double latitude, double longitude, const QString &timezone, bool fahrenheit, bool mph)
{
    QueryItems items {
        { QStringLiteral("latitude"), text::shortestDecimal(latitude) },
        { QStringLiteral("longitude"), text::shortestDecimal(longitude) },
        { QStringLiteral("timezone"), zoneOrAuto(timezone) },
        { QStringLiteral("temperature_unit"), fahrenheit ? QStringLiteral("fahrenheit") : QStringLiteral("celsius") },
        { QStringLiteral("wind_speed_unit"), mph ? QStringLiteral("mph") : QStringLiteral("kmh") },
        { QStringLiteral("precipitation_unit"), fahrenheit ? QStringLiteral("inch") : QStringLiteral("mm") },
        { QStringLiteral("forecast_days"), QStringLiteral("7") },
        { QStringLiteral("past_days"), QStringLiteral("1") },
        { QStringLiteral("current"), kCurrentVariables },
        { QStringLiteral("daily"), kDailyVariables },
        { QStringLiteral("hourly"), kHourlyVariables },
    };
    if (isInConus(latitude, longitude)) {
        items.append({ QStringLiteral("models"), QStringLiteral("ncep_nbm_conus") });
    }
    return items;
}

ForecastService::QueryItems ForecastService::summaryQuery(
    double latitude, double longitude, const QString &timezone, bool fahrenheit, bool mph, bool withModels)
{
    QueryItems items = forecastQuery(latitude, longitude, timezone, fahrenheit, mph);
    // Same first seven items; no past day, richer lists, the 15-minute nowcast.
    items.resize(7);
    items.append({ QStringLiteral("current"), kSummaryCurrent });
    items.append({ QStringLiteral("daily"), kSummaryDaily });
    items.append({ QStringLiteral("hourly"), kSummaryHourly });
    items.append({ QStringLiteral("minutely_15"), QStringLiteral("precipitation,weather_code") });
    items.append({ QStringLiteral("forecast_minutely_15"), QStringLiteral("12") });
    if (withModels && isInConus(latitude, longitude)) {
        items.append({ QStringLiteral("models"), QStringLiteral("ncep_nbm_conus") });
    }
    return items;
}

QString ForecastService::airQualityQueryText(double latitude, double longitude)
{
    return QStringLiteral("?latitude=") + text::shortestDecimal(latitude) + QStringLiteral("&longitude=")
        + text::shortestDecimal(longitude) + QStringLiteral("&timezone=auto&current=us_aqi,pm2_5,pm10,ozone");
}

QCoro::Task<std::optional<QJsonObject>> ForecastService::fetchAirQuality(double latitude, double longitude)
{
    const QUrl url = Endpoints::urlWithQueryText(
        m_endpoints.openMeteoAirQuality, QStringLiteral("/v1/air-quality"), airQualityQueryText(latitude, longitude));
    co_return co_await fetchOptionalObject(m_network, m_timeout, url);
}

QCoro::Task<QString> ForecastService::forecastSummary(
    double latitude, double longitude, QString timezone, bool fahrenheit, bool mph)
{
    const bool conus = isInConus(latitude, longitude);
    const QUrl mainUrl = Endpoints::url(m_endpoints.openMeteoForecast, kForecastPath,
        summaryQuery(latitude, longitude, timezone, fahrenheit, mph, true));
    // All three start at once and are all awaited, even when the main request fails.
    auto mainTask = fetchObject(m_network, m_timeout, mainUrl);
    std::optional<QCoro::Task<std::optional<QJsonObject>>> fallbackTask;
    if (conus) {
        fallbackTask.emplace(fetchOptionalObject(m_network, m_timeout,
            Endpoints::url(m_endpoints.openMeteoForecast, kForecastPath,
                summaryQuery(latitude, longitude, timezone, fahrenheit, mph, false))));
    }
    auto airTask = fetchAirQuality(latitude, longitude);

    net::Captured<QJsonObject> reply = co_await net::capture(std::move(mainTask));
    std::optional<QJsonObject> fallback;
    if (fallbackTask) {
        fallback = co_await std::move(*fallbackTask);
    }
    const std::optional<QJsonObject> air = co_await std::move(airTask);
    co_return forecast_text::render(reply.take(), fallback, air, { timezone, fahrenheit, mph });
}

ForecastService::QueryItems ForecastService::uvSupplementQuery(
    double latitude, double longitude, const QString &timezone)
{
    return {
        { QStringLiteral("latitude"), text::shortestDecimal(latitude) },
        { QStringLiteral("longitude"), text::shortestDecimal(longitude) },
        { QStringLiteral("timezone"), zoneOrAuto(timezone) },
        { QStringLiteral("forecast_days"), QStringLiteral("7") },
        { QStringLiteral("past_days"), QStringLiteral("1") },
        { QStringLiteral("daily"), QStringLiteral("uv_index_max") },
        { QStringLiteral("hourly"), QStringLiteral("uv_index") },
    };
}

QCoro::Task<Forecast> ForecastService::fetchForecast(
    double latitude, double longitude, QString timezone, bool fahrenheit, bool mph)
{
    const QUrl mainUrl = Endpoints::url(
        m_endpoints.openMeteoForecast, kForecastPath, forecastQuery(latitude, longitude, timezone, fahrenheit, mph));
    if (!isInConus(latitude, longitude)) {
        const QJsonObject reply = co_await fetchObject(m_network, m_timeout, mainUrl);
        co_return parseForecast(reply, std::nullopt, fahrenheit, mph, timezone);
    }

    // Both requests run at once; the supplement is always awaited, even when the main one fails.
    const QUrl uvUrl =
        Endpoints::url(m_endpoints.openMeteoForecast, kForecastPath, uvSupplementQuery(latitude, longitude, timezone));
    auto mainTask = fetchObject(m_network, m_timeout, mainUrl);
    auto uvTask = fetchOptionalObject(m_network, m_timeout, uvUrl);
    net::Captured<QJsonObject> reply = co_await net::capture(std::move(mainTask));
    const std::optional<QJsonObject> supplement = co_await std::move(uvTask);
    co_return parseForecast(reply.take(), supplement, fahrenheit, mph, timezone);
}

Forecast ForecastService::parseForecast(const QJsonObject &reply, const std::optional<QJsonObject> &uvSupplement,
    bool fahrenheit, bool mph, const QString &timezone)
{
    const auto currentObject = json::object(reply, QLatin1StringView("current"));
    const auto dailyObject = json::object(reply, QLatin1StringView("daily"));
    const auto hourlyObject = json::object(reply, QLatin1StringView("hourly"));
    if (!currentObject || !dailyObject || !hourlyObject) {
        throw HttpError::badResponse();
    }

    const QHash<QString, double> uvByHour =
        lookup(subObject(uvSupplement, QLatin1StringView("hourly")), QLatin1StringView("uv_index"));
    const QHash<QString, double> uvByDay =
        lookup(subObject(uvSupplement, QLatin1StringView("daily")), QLatin1StringView("uv_index_max"));

    Forecast forecast;
    const auto num = [](const QJsonObject &o, const char *key) {
        return json::number(o, QLatin1StringView(key)).value_or(0.0);
    };

    // Conditions now.
    const QJsonObject &cur = *currentObject;
    CurrentWeather &current = forecast.current;
    current.time = json::text(cur, QLatin1StringView("time")).value_or(QString());
    current.temperature = num(cur, "temperature_2m");
    current.apparentTemperature = num(cur, "apparent_temperature");
    current.weatherCode = json::integer(cur, QLatin1StringView("weather_code")).value_or(0);
    current.isDay = json::integer(cur, QLatin1StringView("is_day")) == 1;
    current.windSpeed = num(cur, "wind_speed_10m");
    current.windDirection = num(cur, "wind_direction_10m");
    current.windGusts = num(cur, "wind_gusts_10m");
    current.humidity = num(cur, "relative_humidity_2m");
    current.dewPoint = num(cur, "dew_point_2m");
    current.cloudCover = num(cur, "cloud_cover");
    current.precipitation = num(cur, "precipitation");

    // The first hour not earlier than the current conditions.
    const QStringList hourTimes = json::textList(*hourlyObject, QLatin1StringView("time"));
    qsizetype currentHour = 0;
    for (qsizetype i = 0; i < hourTimes.size(); ++i) {
        if (hourTimes.at(i) >= current.time) {
            currentHour = i;
            break;
        }
    }

    Series hourly(*hourlyObject);
    if (const auto uv = json::at(hourly[QLatin1StringView("uv_index")], currentHour)) {
        current.uvIndex = *uv;
    } else if (currentHour < hourTimes.size()) {
        current.uvIndex = uvByHour.value(hourTimes.at(currentHour), 0.0);
    }

    // Days.
    Series daily(*dailyObject);
    const QStringList dates = json::textList(*dailyObject, QLatin1StringView("time"));
    const QStringList sunrises = json::textList(*dailyObject, QLatin1StringView("sunrise"));
    const QStringList sunsets = json::textList(*dailyObject, QLatin1StringView("sunset"));
    const auto dayValue = [&daily](const char *key, qsizetype i) { return json::at(daily[QLatin1StringView(key)], i); };
    QList<DailyWeather> days;
    days.reserve(dates.size());
    for (qsizetype i = 0; i < dates.size(); ++i) {
        DailyWeather day;
        day.date = dates.at(i);
        day.weatherCode = json::truncated(dayValue("weather_code", i).value_or(0.0));
        day.tempMax = dayValue("temperature_2m_max", i).value_or(0.0);
        day.tempMin = dayValue("temperature_2m_min", i).value_or(0.0);
        day.apparentMax = dayValue("apparent_temperature_max", i).value_or(day.tempMax);
        day.apparentMin = dayValue("apparent_temperature_min", i).value_or(day.tempMin);
        day.precipitationProbabilityMax = dayValue("precipitation_probability_max", i).value_or(0.0);
        day.precipitationSum = dayValue("precipitation_sum", i).value_or(0.0);
        day.rainSum = dayValue("rain_sum", i).value_or(0.0);
        day.snowfallSum = dayValue("snowfall_sum", i).value_or(0.0);
        day.precipitationHours = dayValue("precipitation_hours", i).value_or(0.0);
        day.windSpeedMax = dayValue("wind_speed_10m_max", i).value_or(0.0);
        day.windGustsMax = dayValue("wind_gusts_10m_max", i).value_or(0.0);
        day.uvIndexMax = dayValue("uv_index_max", i).value_or(uvByDay.value(day.date, 0.0));
        day.sunrise = i < sunrises.size() ? sunrises.at(i) : QString();
        day.sunset = i < sunsets.size() ? sunsets.at(i) : QString();
        days.append(std::move(day));
    }

    // Yesterday: the entry before the first day that is not earlier than today.
    const QString today = current.time.left(10);
    qsizetype firstToday = -1;
    for (qsizetype i = 0; i < days.size(); ++i) {
        if (days.at(i).date >= today) {
            firstToday = i;
            break;
        }
    }
    if (firstToday > 0) {
        forecast.yesterday = days.at(firstToday - 1);
        days.remove(0, firstToday);
    }
    forecast.daily = std::move(days);

    // Hours: up to 48 from the current hour.
    const qsizetype endHour = std::min<qsizetype>(hourTimes.size(), currentHour + kHourlyWindow);
    const auto hourValue = [&hourly](
                               const char *key, qsizetype i) { return json::at(hourly[QLatin1StringView(key)], i); };
    forecast.hourly.reserve(std::max<qsizetype>(0, endHour - currentHour));
    for (qsizetype i = currentHour; i < endHour; ++i) {
        HourlyWeather hour;
        hour.time = hourTimes.at(i);
        hour.temperature = hourValue("temperature_2m", i).value_or(0.0);
        hour.apparentTemperature = hourValue("apparent_temperature", i).value_or(hour.temperature);
        hour.weatherCode = json::truncated(hourValue("weather_code", i).value_or(0.0));
        hour.precipitationProbability = hourValue("precipitation_probability", i).value_or(0.0);
        hour.precipitation = hourValue("precipitation", i).value_or(0.0);
        hour.dewPoint = hourValue("dew_point_2m", i);
        hour.humidity = hourValue("relative_humidity_2m", i).value_or(0.0);
        hour.cloudCover = hourValue("cloud_cover", i).value_or(0.0);
        hour.windSpeed = hourValue("wind_speed_10m", i).value_or(0.0);
        hour.windGusts = hourValue("wind_gusts_10m", i).value_or(0.0);
        hour.isDay = hourValue("is_day", i) == 1.0;
        forecast.hourly.append(std::move(hour));
    }

    forecast.temperatureUnit = fahrenheit ? QStringLiteral("°F") : QStringLiteral("°C");
    forecast.windSpeedUnit = mph ? QStringLiteral("mph") : QStringLiteral("km/h");
    forecast.timezone = json::text(reply, QLatin1StringView("timezone")).value_or(timezone);
    return forecast;
}
