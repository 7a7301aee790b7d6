// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/ClimateNormalsService.h"

#include "net/AppError.h"
#include "net/Clock.h"
#include "net/HttpClient.h"
#include "net/JsonReaders.h"
#include "net/OffThread.h"
#include "text/NumberText.h"
#include "weather/Log.h"

#include <QDate>
#include <QDebug>
#include <QJsonDocument>
#include <QJsonValue>
#include <QStringList>

#include <QCoroFuture>

#include <algorithm>
#include <array>
#include <exception>
#include <limits>

namespace {

constexpr int kDaysInYear = 365;
constexpr int kHalfWindow = 3;
const QString kComputedAt = QStringLiteral("computedAt");

// The 365 "MM-dd" keys of a common year, in calendar order.
const QStringList &dayKeys()
{
    static const QStringList keys = [] {
        QStringList list;
        list.reserve(kDaysInYear);
        for (QDate day(2001, 1, 1); day.year() == 2001; day = day.addDays(1)) {
            list.append(text::cformat("%02d-%02d", day.month(), day.day()));
        }
        return list;
    }();
    return keys;
}

// Position of an "MM-dd" key in the common year; -1 for "02-29" and anything unreadable.
int dayIndex(QStringView key)
{
    static constexpr std::array<int, 12> monthStart { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334 };
    static constexpr std::array<int, 12> monthLength { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (key.size() != 5 || key.at(2) != QLatin1Char('-')) {
        return -1;
    }
    const auto digit = [&key](qsizetype i) { return key.at(i).isDigit() ? key.at(i).digitValue() : -100; };
    const int month = digit(0) * 10 + digit(1);
    const int day = digit(3) * 10 + digit(4);
    if (month < 1 || month > 12 || day < 1 || day > monthLength.at(month - 1)) {
        return -1;
    }
    return monthStart.at(month - 1) + day - 1;
}

struct Pool
{
    std::array<double, kDaysInYear> sums {};
    std::array<int, kDaysInYear> counts {};

    void add(int index, const std::optional<double> &value)
    {
        if (value) {
            sums.at(index) += *value;
            counts.at(index) += 1;
        }
    }

    // Mean of every value within three days either side, wrapping around the year.
    [[nodiscard]] QMap<QString, double> smoothed() const
    {
        const QStringList &keys = dayKeys();
        QMap<QString, double> map;
        for (int i = 0; i < kDaysInYear; ++i) {
            double sum = 0;
            int count = 0;
            for (int k = -kHalfWindow; k <= kHalfWindow; ++k) {
                const int j = (i + k + kDaysInYear) % kDaysInYear;
                sum += sums.at(j);
                count += counts.at(j);
            }
            if (count > 0) {
                map.insert(keys.at(i), sum / count);
            }
        }
        const auto feb28 = map.constFind(QStringLiteral("02-28"));
        if (feb28 != map.cend()) {
            map.insert(QStringLiteral("02-29"), feb28.value());
        }
        return map;
    }
};

QJsonObject storedObject(const ClimateNormalsStore &store)
{
    const std::optional<QByteArray> data = store.load();
    if (!data) {
        return {};
    }
    const QJsonDocument document = QJsonDocument::fromJson(*data);
    return document.isObject() ? document.object() : QJsonObject();
}

} // namespace

ClimateNormalsService::ClimateNormalsService(QNetworkAccessManager &network, Endpoints endpoints, const Clock &clock,
    ClimateNormalsStore &store, std::chrono::milliseconds timeout)
    : m_network(network)
    , m_endpoints(std::move(endpoints))
    , m_clock(clock)
    , m_store(store)
    , m_timeout(timeout)
{ }

ClimateNormalsService::QueryItems ClimateNormalsService::archiveQuery(
    double latitude, double longitude, const QString &timezone, int year)
{
    return {
        { QStringLiteral("latitude"), text::shortestDecimal(latitude) },
        { QStringLiteral("longitude"), text::shortestDecimal(longitude) },
        { QStringLiteral("start_date"), QString::number(year - 10) + QStringLiteral("-01-01") },
        { QStringLiteral("end_date"), QString::number(year - 1) + QStringLiteral("-12-31") },
        { QStringLiteral("daily"), QStringLiteral("temperature_2m_max,temperature_2m_min") },
        { QStringLiteral("timezone"), timezone.isEmpty() ? QStringLiteral("auto") : timezone },
    };
}

std::optional<ClimateNormalsService::Smoothed> ClimateNormalsService::smoothArchive(const QByteArray &body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (!document.isObject()) {
        return std::nullopt;
    }
    const auto daily = json::object(document.object(), QLatin1StringView("daily"));
    if (!daily) {
        return std::nullopt;
    }
    const QStringList times = json::textList(*daily, QLatin1StringView("time"));
    const json::NumberList maxima = json::numberList(*daily, QLatin1StringView("temperature_2m_max"));
    const json::NumberList minima = json::numberList(*daily, QLatin1StringView("temperature_2m_min"));
    Pool highs;
    Pool lows;
    for (qsizetype i = 0; i < times.size(); ++i) {
        const int index = dayIndex(QStringView(times.at(i)).right(5));
        if (index < 0) {
            continue; // "02-29" never enters a window
        }
        highs.add(index, json::at(maxima, i));
        lows.add(index, json::at(minima, i));
    }
    return Smoothed { highs.smoothed(), lows.smoothed() };
}

QMap<QString, ClimateNormals> ClimateNormalsService::storedNormals() const
{
    QMap<QString, ClimateNormals> map;
    const QJsonObject object = storedObject(m_store);
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (auto normals = ClimateNormals::fromJson(it.value())) {
            map.insert(it.key(), std::move(*normals));
        }
    }
    return map;
}

void ClimateNormalsService::store(const ClimateNormals &normals)
{
    // Each entry also notes when it was computed, so the most recent ones survive the cut.
    const qint64 now = m_clock.now().toMSecsSinceEpoch();
    const QJsonObject old = storedObject(m_store);
    struct Kept
    {
        QString signature;
        QJsonObject entry;
        double computedAt;
    };
    QList<Kept> others;
    for (auto it = old.begin(); it != old.end(); ++it) {
        if (it.key() == normals.signature || !ClimateNormals::fromJson(it.value())) {
            continue;
        }
        const QJsonObject entry = it.value().toObject();
        const QJsonValue at = entry.value(kComputedAt);
        others.append({ it.key(), entry, at.isDouble() ? at.toDouble() : -std::numeric_limits<double>::infinity() });
    }
    std::stable_sort(
        others.begin(), others.end(), [](const Kept &a, const Kept &b) { return a.computedAt > b.computedAt; });
    if (others.size() > kMaxStored - 1) {
        others.resize(kMaxStored - 1);
    }
    QJsonObject map;
    for (const Kept &kept : others) {
        map.insert(kept.signature, kept.entry);
    }
    QJsonObject entry = normals.toJson();
    entry.insert(kComputedAt, static_cast<double>(now));
    map.insert(normals.signature, entry);
    m_store.save(QJsonDocument(map).toJson(QJsonDocument::Compact));
}

QCoro::Task<std::optional<ClimateNormals>> ClimateNormalsService::loadNormals(
    double latitude, double longitude, QString timezone)
{
    const QString signature = text::cformat("%.1f|%.1f", latitude, longitude);
    const int year = m_clock.now().toLocalTime().date().year();
    const QMap<QString, ClimateNormals> stored = storedNormals();
    if (const auto it = stored.constFind(signature); it != stored.cend() && it->computedYear == year) {
        co_return *it;
    }

    const QUrl url = Endpoints::url(
        m_endpoints.openMeteoArchive, QStringLiteral("/v1/archive"), archiveQuery(latitude, longitude, timezone, year));
    // The request and the smoothing both run inside the try: this never fails.
    std::optional<Smoothed> smoothed;
    try {
        QByteArray body = co_await net::getData(m_network, url, {}, m_timeout);
        auto smoothing = net::runOffThread([body = std::move(body)] { return smoothArchive(body); });
        smoothed = co_await std::move(smoothing);
    } catch (const std::exception &error) {
        qCWarning(weatherLog).noquote() << "[normals] archive request failed: " + describeError(error);
        co_return std::nullopt;
    }
    if (!smoothed) {
        qCWarning(weatherLog).noquote() << "[normals] archive reply has no daily values";
        co_return std::nullopt;
    }
    ClimateNormals normals;
    normals.highs = std::move(smoothed->highs);
    normals.lows = std::move(smoothed->lows);
    normals.signature = signature;
    normals.computedYear = year;
    store(normals);
    co_return normals;
}
