// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/WeatherCodes.h"

#include "text/DateText.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include <array>
#include <cmath>

namespace weather_codes {

namespace {

const QString kEmDash = QStringLiteral("—");

} // namespace

QString weatherDescription(qint64 code)
{
    switch (code) {
    case 0:
        return QStringLiteral("clear sky");
    case 1:
        return QStringLiteral("mainly clear");
    case 2:
        return QStringLiteral("partly cloudy");
    case 3:
        return QStringLiteral("overcast");
    case 45:
        return QStringLiteral("fog");
    case 48:
        return QStringLiteral("depositing rime fog");
    case 51:
        return QStringLiteral("light drizzle");
    case 53:
        return QStringLiteral("moderate drizzle");
    case 55:
        return QStringLiteral("dense drizzle");
    case 56:
        return QStringLiteral("light freezing drizzle");
    case 57:
        return QStringLiteral("dense freezing drizzle");
    case 61:
        return QStringLiteral("slight rain");
    case 63:
        return QStringLiteral("moderate rain");
    case 65:
        return QStringLiteral("heavy rain");
    case 66:
        return QStringLiteral("light freezing rain");
    case 67:
        return QStringLiteral("heavy freezing rain");
    case 71:
        return QStringLiteral("slight snow");
    case 73:
        return QStringLiteral("moderate snow");
    case 75:
        return QStringLiteral("heavy snow");
    case 77:
        return QStringLiteral("snow grains");
    case 80:
        return QStringLiteral("slight rain showers");
    case 81:
        return QStringLiteral("moderate rain showers");
    case 82:
        return QStringLiteral("violent rain showers");
    case 85:
        return QStringLiteral("slight snow showers");
    case 86:
        return QStringLiteral("heavy snow showers");
    case 95:
        return QStringLiteral("thunderstorm");
    case 96:
        return QStringLiteral("thunderstorm with slight hail");
    case 99:
        return QStringLiteral("thunderstorm with heavy hail");
    default:
        return QStringLiteral("weather code ") + QString::number(code);
    }
}

CardLabel cardLabel(qint64 code, bool isDay)
{
    const auto same = [](const char *label, const char *symbol) {
        return CardLabel { QString::fromUtf8(label), QString::fromLatin1(symbol) };
    };
    switch (code) {
    case 0:
        return same("Sunny", isDay ? "sun.max.fill" : "moon.stars.fill");
    case 1:
        return same("M. Clear", isDay ? "sun.max.fill" : "moon.fill");
    case 2:
        return same("P. Cloudy", isDay ? "cloud.sun.fill" : "cloud.moon.fill");
    case 3:
        return same("Overcast", "cloud.fill");
    case 45:
    case 48:
        return same("Fog", "cloud.fog.fill");
    case 51:
    case 53:
    case 55:
        return same("Drizzle", "cloud.drizzle.fill");
    case 56:
    case 57:
        return same("Frz. Drizzle", "cloud.sleet.fill");
    case 61:
        return same("Lt. Rain", "cloud.rain.fill");
    case 63:
        return same("Rain", "cloud.rain.fill");
    case 65:
        return same("Hvy. Rain", "cloud.heavyrain.fill");
    case 66:
    case 67:
        return same("Frz. Rain", "cloud.sleet.fill");
    case 71:
        return same("Lt. Snow", "cloud.snow.fill");
    case 73:
        return same("Snow", "cloud.snow.fill");
    case 75:
        return same("Hvy. Snow", "snowflake");
    case 77:
        return same("Snow Grains", "cloud.snow.fill");
    case 80:
    case 81:
        return same("Showers", isDay ? "cloud.sun.rain.fill" : "cloud.moon.rain.fill");
    case 82:
        return same("Hvy. Showers", "cloud.heavyrain.fill");
    case 85:
    case 86:
        return same("Snow Showers", "cloud.snow.fill");
    case 95:
        return same("T-Storms", "cloud.bolt.rain.fill");
    case 96:
    case 99:
        return same("T-Storms + Hail", "cloud.bolt.rain.fill");
    default:
        return CardLabel { kEmDash, QStringLiteral("cloud.fill") };
    }
}

QString headlineLabel(qint64 code, bool isDay)
{
    const QString label = cardLabel(code, isDay).label;
    if (label == QLatin1StringView("M. Clear")) {
        return isDay ? QStringLiteral("MAINLY SUNNY") : QStringLiteral("MAINLY CLEAR");
    }
    if (label == QLatin1StringView("P. Cloudy")) {
        return QStringLiteral("PARTLY CLOUDY");
    }
    if (label == QLatin1StringView("Sunny")) {
        return isDay ? QStringLiteral("SUNNY") : QStringLiteral("CLEAR");
    }
    return label.toUpper();
}

QString comfortWord(bool fahrenheit, double dewPoint)
{
    const double d = fahrenheit ? dewPoint : dewPoint * 9.0 / 5.0 + 32.0;
    if (d < 50) {
        return QStringLiteral("Dry");
    }
    if (d < 55) {
        return QStringLiteral("Pleasant");
    }
    if (d < 60) {
        return QStringLiteral("Comfortable");
    }
    if (d < 65) {
        return QStringLiteral("Sticky");
    }
    if (d < 70) {
        return QStringLiteral("Muggy");
    }
    if (d < 75) {
        return QStringLiteral("Oppressive");
    }
    return QStringLiteral("Miserable");
}

QString compassPoint(double degrees)
{
    static const std::array<const char *, 8> points { "N", "NE", "E", "SE", "S", "SW", "W", "NW" };
    if (!std::isfinite(degrees)) {
        return QStringLiteral("N");
    }
    // std::round rounds halves away from zero; fmod keeps huge values exact enough to index.
    double sector = std::fmod(std::round(degrees / 45.0), 8.0);
    if (sector < 0) {
        sector += 8.0;
    }
    return QString::fromLatin1(points.at(static_cast<std::size_t>(sector) % 8));
}

QString hourLabel(const QString &instant)
{
    const qsizetype t = instant.lastIndexOf(QLatin1Char('T'));
    const QString clock = t >= 0 ? instant.mid(t + 1) : instant;
    const QString digits = clock.left(2);
    bool ok = false;
    const int hour = digits.isEmpty() || digits.at(0).isSpace() || digits.back().isSpace() ? 0 : digits.toInt(&ok, 10);
    if (!ok) {
        return kEmDash;
    }
    if (hour == 0) {
        return QStringLiteral("12A");
    }
    if (hour < 12) {
        return QString::number(hour) + QLatin1Char('A');
    }
    if (hour == 12) {
        return QStringLiteral("12P");
    }
    return QString::number(hour - 12) + QLatin1Char('P');
}

QString dayLabel(const QString &date, qsizetype position)
{
    if (position == 0) {
        return QStringLiteral("TODAY");
    }
    const QDate day = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid()) {
        return kEmDash;
    }
    // Noon, so that a zone whose clocks skip midnight still gives the same day.
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDateTime instant(day, QTime(12, 0), zone);
    const QByteArray locale = QLocale::system().name().toLatin1();
    return text::formatDate(instant, QStringLiteral("EEE"), zone, locale.constData()).toUpper();
}

} // namespace weather_codes
