// SPDX-License-Identifier: GPL-3.0-or-later
#include "weather/ClimateNormalsService.h"
#include "net/Clock.h"

#include "Await.h"
#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

using test_support::await;

namespace {

const QString kPath = QStringLiteral("/v1/archive");

class MemoryStore final : public ClimateNormalsStore
{
public:
    [[nodiscard]] std::optional<QByteArray> load() const override { return value; }
    void save(const QByteArray &json) override { value = json; }
    std::optional<QByteArray> value;
};

// An archive reply from (date, high, low) rows; NaN stands for null.
QByteArray archive(const QList<std::tuple<const char *, double, double>> &rows)
{
    QJsonArray times;
    QJsonArray highs;
    QJsonArray lows;
    const auto value = [](double v) { return std::isnan(v) ? QJsonValue(QJsonValue::Null) : QJsonValue(v); };
    for (const auto &[date, high, low] : rows) {
        times.append(QString::fromLatin1(date));
        highs.append(value(high));
        lows.append(value(low));
    }
    const QJsonObject daily { { QStringLiteral("time"), times }, { QStringLiteral("temperature_2m_max"), highs },
        { QStringLiteral("temperature_2m_min"), lows } };
    return QJsonDocument(QJsonObject { { QStringLiteral("daily"), daily } }).toJson(QJsonDocument::Compact);
}

constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

class ClimateNormalsServiceTest : public ::testing::Test
{
protected:
    ClimateNormalsServiceTest()
    {
        Endpoints endpoints;
        endpoints.openMeteoArchive = server.baseUrl();
        service = std::make_unique<ClimateNormalsService>(network, endpoints, clock, store);
    }

    std::optional<ClimateNormals> load(double lat, double lon, const QString &zone = QStringLiteral("America/Chicago"))
    {
        return await(service->loadNormals(lat, lon, zone));
    }

    FakeServer server;
    QNetworkAccessManager network;
    FixedClock clock { QDateTime(QDate(2026, 3, 10), QTime(12, 0), Qt::UTC) };
    MemoryStore store;
    std::unique_ptr<ClimateNormalsService> service;
};

} // namespace

TEST_F(ClimateNormalsServiceTest, PoolingAndSmoothing)
{
    const auto smooth = [](const QByteArray &body) { return *ClimateNormalsService::smoothArchive(body); };
    {
        SCOPED_TRACE("2 January averages 30 December to 5 January, across the year's end");
        const auto s = smooth(archive({ { "2019-12-29", 100, 0 }, { "2019-12-30", 1, 0 }, { "2019-12-31", 2, 0 },
            { "2020-01-01", 3, 0 }, { "2020-01-02", 4, 0 }, { "2020-01-03", 5, 0 }, { "2020-01-04", 6, 0 },
            { "2020-01-05", 7, 0 }, { "2020-01-06", 1000, 0 }, { "2021-01-01", 5, 0 } }));
        EXPECT_DOUBLE_EQ(s.highs.value(QStringLiteral("01-02")), 33.0 / 8.0);
        // 26 December only reaches the value of 29 December; 25 December reaches nothing.
        EXPECT_DOUBLE_EQ(s.highs.value(QStringLiteral("12-26")), 100.0);
        EXPECT_FALSE(s.highs.contains(QStringLiteral("12-25")));
    }
    {
        SCOPED_TRACE("nulls are skipped without shifting the dates");
        const auto s = smooth(archive({ { "2020-01-01", kNull, 5 }, { "2020-07-01", 30, kNull } }));
        EXPECT_FALSE(s.highs.contains(QStringLiteral("01-01")));
        EXPECT_DOUBLE_EQ(s.highs.value(QStringLiteral("07-04")), 30.0);
        EXPECT_FALSE(s.highs.contains(QStringLiteral("07-05")));
        EXPECT_DOUBLE_EQ(s.lows.value(QStringLiteral("01-01")), 5.0);
        EXPECT_FALSE(s.lows.contains(QStringLiteral("07-01")));
    }
    {
        SCOPED_TRACE("02-29 equals 02-28; raw leap-day values never count");
        const auto s = smooth(archive({ { "2020-02-27", 4, 1 }, { "2020-02-28", 6, 2 }, { "2020-02-29", 999, 999 } }));
        EXPECT_DOUBLE_EQ(s.highs.value(QStringLiteral("02-29")), 5.0);
        EXPECT_EQ(s.lows.value(QStringLiteral("02-29")), s.lows.value(QStringLiteral("02-28")));
        EXPECT_TRUE(smooth(archive({ { "2020-02-29", 10, 0 } })).highs.isEmpty());
    }
    {
        SCOPED_TRACE("a real archive reply, January to mid-July");
        const auto s = smooth(testData(QStringLiteral("openmeteo_archive_daily_chicago_2022H1.json")));
        EXPECT_TRUE(s.highs.contains(QStringLiteral("12-29"))); // reaches 1 January
        EXPECT_FALSE(s.highs.contains(QStringLiteral("12-28")));
        EXPECT_FALSE(s.highs.contains(QStringLiteral("07-17")));
        EXPECT_GT(s.highs.value(QStringLiteral("07-01")), s.highs.value(QStringLiteral("01-15")));
    }
    for (const char *bad : { "[1]", R"({"hourly":{}})", "garbage" }) {
        EXPECT_FALSE(ClimateNormalsService::smoothArchive(bad)) << bad;
    }
}

TEST_F(ClimateNormalsServiceTest, TheLastTenCompleteYearsStoredOncePerSignatureAndYear)
{
    server.route(kPath, FakeServer::json(archive({ { "2020-01-01", 1, 0 } })));
    const auto first = load(41.878, -87.6298, QString());
    ASSERT_TRUE(first);
    const auto request = server.requests(kPath).at(0);
    EXPECT_EQ(request.queryKeys(), QStringLiteral("latitude longitude start_date end_date daily timezone").split(u' '));
    for (const auto &[key, value] :
        { std::pair { "latitude", "41.878" }, { "start_date", "2016-01-01" }, { "end_date", "2025-12-31" },
            { "daily", "temperature_2m_max,temperature_2m_min" }, { "timezone", "auto" } }) {
        EXPECT_EQ(request.queryValue(QString::fromLatin1(key)), QString::fromLatin1(value));
    }
    EXPECT_EQ(first->signature, QStringLiteral("41.9|-87.6"));
    EXPECT_EQ(first->computedYear, 2026);

    // Same one-decimal signature: served from the store, no request.
    const auto second = load(41.91, -87.58);
    EXPECT_EQ(server.count(kPath), 1);
    EXPECT_EQ(second, first);
    EXPECT_EQ(service->storedNormals().keys(), QStringList { QStringLiteral("41.9|-87.6") });

    // A new year recomputes with the new range.
    clock.set(QDateTime(QDate(2027, 1, 2), QTime(12, 0), Qt::UTC));
    const auto renewed = load(41.878, -87.6298);
    ASSERT_EQ(server.count(kPath), 2);
    EXPECT_EQ(server.requests(kPath).at(1).queryValue(QStringLiteral("end_date")), QStringLiteral("2026-12-31"));
    EXPECT_EQ(renewed->computedYear, 2027);
    EXPECT_EQ(service->storedNormals().size(), 1);
}

TEST_F(ClimateNormalsServiceTest, FailuresStoreNothingAndAreRetried)
{
    // The fault matrix shows that nothing is stored; the next look-up asks again.
    server.route(kPath, FakeServer::json("busy", 503));
    EXPECT_FALSE(load(10, 10));
    EXPECT_FALSE(load(10, 10));
    EXPECT_EQ(server.count(kPath), 2);

    // A corrupt store reads as empty; a corrupt entry is dropped.
    store.value = QByteArray("{not json");
    EXPECT_TRUE(service->storedNormals().isEmpty());
    store.value = QByteArray(
        R"({"1.0|1.0":{"highs":"x"},"2.0|2.0":{"highs":{},"lows":{},"signature":"2.0|2.0","computedYear":2026}})");
    EXPECT_EQ(service->storedNormals().keys(), QStringList { QStringLiteral("2.0|2.0") });
}

TEST_F(ClimateNormalsServiceTest, KeepsTheEightMostRecentlyComputed)
{
    server.route(kPath, FakeServer::json(archive({ { "2020-01-01", 1, 0 } })));
    // An entry from an older version of the store, without a computation time, goes first.
    store.value = QByteArray(R"({"-9.0|-9.0":{"highs":{},"lows":{},"signature":"-9.0|-9.0","computedYear":2026}})");
    for (int i = 0; i < 9; ++i) {
        clock.advance(60);
        ASSERT_TRUE(load(i, i));
    }
    QStringList expected;
    for (int i = 1; i < 9; ++i) {
        expected.append(QStringLiteral("%1.0|%1.0").arg(i));
    }
    EXPECT_EQ(service->storedNormals().keys(), expected);

    // A stored place that is asked for again is not recomputed and stays.
    ASSERT_TRUE(load(1, 1));
    EXPECT_EQ(server.count(kPath), 9);
}
