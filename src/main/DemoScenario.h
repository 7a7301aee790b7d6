// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Endpoints.h"
#include "weather/SavedLocation.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

#include <utility>

// The demo's recorded afternoon: one place, one instant, and the reply of every service the app
// asks about them, read from a folder holding "scenario.json" and the files it names (the
// resources under :/demo, from resources/demo). Each entry of "replies" names the service (an
// Endpoints field), the path, the query items that must be present with those values, for a POST
// a text its body must contain, and the file to answer with; the first entry that fits answers.
class DemoScenario
{
public:
    struct Reply
    {
        int status = 200;
        QList<std::pair<QByteArray, QByteArray>> headers;
        QByteArray body;
    };

    // The requests go to the given endpoints. Throws std::runtime_error, saying why, when the
    // scenario cannot be read or names a file that is not there.
    DemoScenario(const QString &folder, const Endpoints &endpoints);

    [[nodiscard]] const SavedLocation &place() const { return m_place; }
    [[nodiscard]] const QDateTime &instant() const { return m_instant; }

    // The recorded reply; a 404 with a short JSON body for a request the scenario does not hold.
    [[nodiscard]] Reply reply(const QByteArray &method, const QUrl &url, const QByteArray &body) const;

private:
    struct Entry
    {
        QByteArray method;
        QUrl url; // without the query
        QList<std::pair<QString, QString>> query;
        QByteArray bodyContains;
        QList<std::pair<QByteArray, QByteArray>> headers;
        QString file;
    };

    [[nodiscard]] static bool fits(
        const Entry &entry, const QByteArray &method, const QUrl &url, const QByteArray &body);

    QString m_folder;
    SavedLocation m_place;
    QDateTime m_instant;
    QList<Entry> m_entries;
};
