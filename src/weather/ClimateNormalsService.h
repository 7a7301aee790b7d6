// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Endpoints.h"
#include "net/HttpClient.h"
#include "weather/ClimateNormals.h"
#include "weather/ClimateNormalsStore.h"

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QString>

#include <QCoroTask>

#include <optional>

class Clock;
class QNetworkAccessManager;

// Normal daily highs and lows for a place, derived from the last ten complete years of the
// Open-Meteo archive: pooled by calendar day and smoothed over a seven-day window. Computed at
// most once per place (one-decimal signature) and calendar year; the 8 most recently computed
// places are kept in the store.
class ClimateNormalsService
{
public:
    ClimateNormalsService(QNetworkAccessManager &network, Endpoints endpoints, const Clock &clock,
        ClimateNormalsStore &store, std::chrono::milliseconds timeout = net::kDefaultTimeout);

    // Never fails: a failed request or an unusable reply gives nothing and stores nothing, so the
    // next refresh tries again. The pooling and smoothing run on a worker thread.
    [[nodiscard]] QCoro::Task<std::optional<ClimateNormals>> loadNormals(
        double latitude, double longitude, QString timezone);

    using QueryItems = QList<std::pair<QString, QString>>;
    [[nodiscard]] static QueryItems archiveQuery(double latitude, double longitude, const QString &timezone, int year);

    struct Smoothed
    {
        QMap<QString, double> highs;
        QMap<QString, double> lows;
    };
    // Parses an archive reply body and smooths it; nothing when it is not a JSON object with a
    // "daily" object. Pure; safe on any thread.
    [[nodiscard]] static std::optional<Smoothed> smoothArchive(const QByteArray &body);

    // The stored map, signature to normals; a missing or unreadable value reads as empty, and a
    // single unreadable entry is skipped.
    [[nodiscard]] QMap<QString, ClimateNormals> storedNormals() const;

    static constexpr qsizetype kMaxStored = 8;

private:
    void store(const ClimateNormals &normals);

    QNetworkAccessManager &m_network;
    Endpoints m_endpoints;
    const Clock &m_clock;
    ClimateNormalsStore &m_store;
    std::chrono::milliseconds m_timeout;
};
