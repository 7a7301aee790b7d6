// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/DemoScenario.h"

#include "net/Clock.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>
#include <QtDebug>

#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString &why)
{
    throw std::runtime_error(("demo scenario: " + why).toStdString());
}

std::pair<QByteArray, QByteArray> jsonContent()
{
    return std::make_pair(QByteArrayLiteral("Content-Type"), QByteArrayLiteral("application/json"));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read ") + path);
    }
    return file.readAll();
}

} // namespace

DemoScenario::DemoScenario(const QString &folder, const Endpoints &endpoints)
    : m_folder(folder)
{
    const QJsonDocument document = QJsonDocument::fromJson(readFile(folder + QStringLiteral("/scenario.json")));
    const QJsonObject root = document.object();
    const std::optional<QDateTime> instant = Clock::parseInstant(root.value(QLatin1StringView("instant")).toString());
    const std::optional<SavedLocation> place = SavedLocation::fromJson(root.value(QLatin1StringView("place")));
    if (!instant || !place) {
        fail(QStringLiteral("scenario.json needs an instant with a zone and a place"));
    }
    m_instant = *instant;
    m_place = *place;

    for (const QJsonValue value : root.value(QLatin1StringView("replies")).toArray()) {
        const QJsonObject object = value.toObject();
        const QString service = object.value(QLatin1StringView("service")).toString();
        const QString base = endpoints.baseUrl(service);
        if (base.isEmpty()) {
            fail(QStringLiteral("unknown service ") + service);
        }
        Entry entry;
        entry.method = object.value(QLatin1StringView("method")).toString(QStringLiteral("GET")).toLatin1();
        entry.url = Endpoints::url(base, object.value(QLatin1StringView("path")).toString());
        const QJsonObject query = object.value(QLatin1StringView("query")).toObject();
        for (auto it = query.begin(); it != query.end(); ++it) {
            entry.query.append({ it.key(), it.value().toString() });
        }
        entry.bodyContains = object.value(QLatin1StringView("bodyContains")).toString().toUtf8();
        const QJsonObject headers = object.value(QLatin1StringView("headers")).toObject();
        for (auto it = headers.begin(); it != headers.end(); ++it) {
            entry.headers.append(std::make_pair(it.key().toLatin1(), it.value().toString().toUtf8()));
        }
        if (!headers.contains(QLatin1StringView("Content-Type"))) {
            entry.headers.append(jsonContent());
        }
        entry.file = folder + QLatin1Char('/') + object.value(QLatin1StringView("file")).toString();
        if (!QFile::exists(entry.file)) {
            fail(QStringLiteral("no file ") + entry.file);
        }
        m_entries.append(std::move(entry));
    }
}

bool DemoScenario::fits(const Entry &entry, const QByteArray &method, const QUrl &url, const QByteArray &body)
{
    if (entry.method != method || entry.url != url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment)) {
        return false;
    }
    const QUrlQuery query(url);
    for (const auto &[name, value] : entry.query) {
        if (!query.hasQueryItem(name) || query.queryItemValue(name, QUrl::FullyDecoded) != value) {
            return false;
        }
    }
    return entry.bodyContains.isEmpty() || body.contains(entry.bodyContains);
}

DemoScenario::Reply DemoScenario::reply(const QByteArray &method, const QUrl &url, const QByteArray &body) const
{
    for (const Entry &entry : m_entries) {
        if (fits(entry, method, url, body)) {
            return Reply { 200, entry.headers, readFile(entry.file) };
        }
    }
    qInfo().noquote() << "[demo] no recorded reply for" << method << url.toString();
    return Reply { 404, { jsonContent() }, QByteArrayLiteral(R"({"error":true,"reason":"Not part of the demo"})") };
}
