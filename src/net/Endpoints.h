// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

#include <optional>
#include <utility>

// The base URL of every external service. A base may carry a path prefix
// ("http://127.0.0.1:8080/nws"); request paths are appended to it.
struct Endpoints
{
    QString openMeteoForecast = QStringLiteral("https://api.open-meteo.com");
    QString openMeteoAirQuality = QStringLiteral("https://air-quality-api.open-meteo.com");
    QString openMeteoGeocoding = QStringLiteral("https://geocoding-api.open-meteo.com");
    QString openMeteoArchive = QStringLiteral("https://archive-api.open-meteo.com");
    QString nws = QStringLiteral("https://api.weather.gov");
    QString spc = QStringLiteral("https://www.spc.noaa.gov");
    QString anthropic = QStringLiteral("https://api.anthropic.com");
    QString gemini = QStringLiteral("https://generativelanguage.googleapis.com");
    QString ipGeolocation1 = QStringLiteral("https://ipwho.is");
    QString ipGeolocation2 = QStringLiteral("https://ipapi.co");
    QString reverseGeocoding = QStringLiteral("https://api.bigdatacloud.net");

    [[nodiscard]] static Endpoints production() { return {}; }

    // The names of the fields, as tools and tests refer to them.
    [[nodiscard]] static QStringList fieldNames();
    // The base URL of the named field; empty for a name that is not a field.
    [[nodiscard]] QString baseUrl(const QString &name) const;

    // Replaces the fields named in overrides (field name to base URL). Returns the unknown names
    // or values that are not text, so a caller can report them; known fields are still applied.
    QStringList applyOverrides(const QJsonObject &overrides);
    // Applies the overrides of an endpoints file (a JSON object as applyOverrides takes). Returns
    // what went wrong, in words, or nothing when every name was known and applied.
    [[nodiscard]] std::optional<QString> applyOverridesFile(const QString &path);

    // base + path, with the query items in the given order.
    [[nodiscard]] static QUrl url(
        const QString &base, const QString &path, const QList<std::pair<QString, QString>> &queryItems = {});
    // base + path + a query text written by hand ("?latitude=1&longitude=2").
    [[nodiscard]] static QUrl urlWithQueryText(const QString &base, const QString &path, const QString &queryText);

private:
    QString *field(const QString &name);
};
