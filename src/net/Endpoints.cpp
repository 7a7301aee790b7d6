// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/Endpoints.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

QStringList Endpoints::fieldNames()
{
    return { QStringLiteral("openMeteoForecast"), QStringLiteral("openMeteoAirQuality"),
        QStringLiteral("openMeteoGeocoding"), QStringLiteral("openMeteoArchive"), QStringLiteral("nws"),
        QStringLiteral("spc"), QStringLiteral("anthropic"), QStringLiteral("gemini"), QStringLiteral("ipGeolocation1"),
        QStringLiteral("ipGeolocation2"), QStringLiteral("reverseGeocoding") };
}

QString *Endpoints::field(const QString &name)
{
    QString *const fields[] = { &openMeteoForecast, &openMeteoAirQuality, &openMeteoGeocoding, &openMeteoArchive, &nws,
        &spc, &anthropic, &gemini, &ipGeolocation1, &ipGeolocation2, &reverseGeocoding };
    const QStringList names = fieldNames();
    const qsizetype index = names.indexOf(name);
    return index < 0 ? nullptr : fields[index];
}

QString Endpoints::baseUrl(const QString &name) const
{
    // field() only finds the member; nothing is written through it here.
    const QString *found = const_cast<Endpoints *>(this)->field(name);
    return found == nullptr ? QString() : *found;
}

QStringList Endpoints::applyOverrides(const QJsonObject &overrides)
{
    QStringList rejected;
    for (auto it = overrides.begin(); it != overrides.end(); ++it) {
        QString *target = field(it.key());
        if (target == nullptr || !it.value().isString()) {
            rejected.append(it.key());
            continue;
        }
        *target = it.value().toString();
    }
    return rejected;
}

std::optional<QString> Endpoints::applyOverridesFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("cannot read ") + path;
    }
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return path + QStringLiteral(" is not a JSON object of endpoint names and base URLs");
    }
    const QStringList rejected = applyOverrides(document.object());
    if (!rejected.isEmpty()) {
        return QStringLiteral("unknown endpoints: ") + rejected.join(QStringLiteral(", "));
    }
    return std::nullopt;
}

namespace {

QString joined(const QString &base, const QString &path)
{
    QString b = base;
    while (b.endsWith(QLatin1Char('/'))) {
        b.chop(1);
    }
    return path.startsWith(QLatin1Char('/')) ? b + path : b + QLatin1Char('/') + path;
}

} // namespace

QUrl Endpoints::url(const QString &base, const QString &path, const QList<std::pair<QString, QString>> &queryItems)
{
    QUrl url(joined(base, path));
    if (!queryItems.isEmpty()) {
        // Written by hand so that '+' in a value ("Etc/GMT+5") is sent as %2B and never read
        // as a space; commas stay readable.
        QByteArray query;
        for (const auto &[key, value] : queryItems) {
            if (!query.isEmpty()) {
                query.append('&');
            }
            query.append(QUrl::toPercentEncoding(key, ","));
            query.append('=');
            query.append(QUrl::toPercentEncoding(value, ","));
        }
        url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    }
    return url;
}

QUrl Endpoints::urlWithQueryText(const QString &base, const QString &path, const QString &queryText)
{
    return QUrl(joined(base, path) + queryText);
}
