// SPDX-License-Identifier: GPL-3.0-or-later
// The next-hour nowcast over Open-Meteo's 15-minute data, served by a real (fake) HTTP server.
#include "weather/NowcastService.h"
#include "net/Clock.h"
#include "platform/MinuteForecastSource.h"

#include "Await.h"
#include "FakeServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

#include <cmath>

using test_support::await;

namespace {

const QString kPath = QStringLiteral("/v1/forecast");
const QString kChicago = QStringLiteral("America/Chicago"); // UTC-5 in July
constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

QDateTime utc(int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, 7, 14), QTime(hour, minute, second), Qt::UTC);
}

struct Step
{
    double amount; // mm over the quarter hour; NaN for null
    double probability = -1; // percent; negative: no value
};

// A 15-minute reply in unix time whose steps end at 14:45, 15:00, 15:15, … (UTC).
QByteArray quarterHours(const QList<Step> &steps, bool withProbability = true)
{
    QJsonArray times;
    QJsonArray amounts;
    QJsonArray chances;
    const qint64 first = utc(14, 45).toSecsSinceEpoch();
    for (qsizetype i = 0; i < steps.size(); ++i) {
        times.append(first + i * 900);
        amounts.append(std::isnan(steps[i].amount) ? QJsonValue(QJsonValue::Null) : QJsonValue(steps[i].amount));
        chances.append(steps[i].probability < 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(steps[i].probability));
    }
    QJsonObject series { { QStringLiteral("time"), times }, { QStringLiteral("precipitation"), amounts } };
    if (withProbability) {
        series.insert(QStringLiteral("precipitation_probability"), chances);
    }
    return QJsonDocument(QJsonObject { { QStringLiteral("timezone"), QStringLiteral("GMT") },
                             { QStringLiteral("minutely_15"), series } })
        .toJson(QJsonDocument::Compact);
}

// Steps ending 14:45 … 16:15; wet (80 %) exactly where the flag is set.
QByteArray wetWhere(std::initializer_list<bool> wet)
{
    QList<Step> steps;
    for (const bool w : wet) {
        steps.append(w ? Step { 0.5, 80 } : Step { 0.0, 10 });
    }
    return quarterHours(steps);
}

class NowcastServiceTest : public ::testing::Test
{
protected:
    NowcastServiceTest()
    {
        Endpoints endpoints;
        endpoints.openMeteoForecast = server.baseUrl();
        source = std::make_unique<MinuteForecastSource>(network, endpoints, clock);
        service = std::make_unique<NowcastService>(*source, clock);
    }

    std::optional<NextHourNowcast> nowcast(double lat = 41.878, double lon = -87.6298)
    {
        return await(service->nextHourNowcast(lat, lon, kChicago));
    }

    // A fresh service (empty cache) at this instant, with this reply.
    std::optional<NextHourNowcast> nowcastAt(const QDateTime &now, const QByteArray &reply)
    {
        clock.set(now);
        server.route(kPath, FakeServer::json(reply));
        service = std::make_unique<NowcastService>(*source, clock);
        return nowcast();
    }

    FakeServer server;
    QNetworkAccessManager network;
    FixedClock clock { utc(15, 0, 30) };
    std::unique_ptr<MinuteForecastSource> source;
    std::unique_ptr<NowcastService> service;
};

} // namespace

TEST_F(NowcastServiceTest, RequestItemsInOrder)
{
    server.route(kPath, FakeServer::json(wetWhere({ false })));
    (void)nowcast(41.878, -87.6298);
    const auto requests = server.requests(kPath);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].query,
        (QList<std::pair<QString, QString>> { { QStringLiteral("latitude"), QStringLiteral("41.878") },
            { QStringLiteral("longitude"), QStringLiteral("-87.6298") },
            { QStringLiteral("minutely_15"), QStringLiteral("precipitation,precipitation_probability") },
            { QStringLiteral("past_minutely_15"), QStringLiteral("1") },
            { QStringLiteral("forecast_minutely_15"), QStringLiteral("8") },
            { QStringLiteral("timezone"), QStringLiteral("GMT") },
            { QStringLiteral("timeformat"), QStringLiteral("unixtime") } }));
    EXPECT_EQ(service->attribution().legalPageURL, QUrl(QStringLiteral("https://open-meteo.com/en/license")));
    EXPECT_FALSE(service->attribution().combinedMarkLightURL);
}

TEST_F(NowcastServiceTest, MinutesComeFromTheQuarterHourThatHoldsThem)
{
    // Steps ending 14:45, 15:00, 15:15, 15:30, 15:45, 16:00, 16:15.
    const auto n = nowcastAt(utc(15, 0, 30),
        quarterHours({ { 9, 100 }, { 0.25, 40 }, { 0.5, 30 }, { 1, -1 }, { 0, -1 }, { 0.75, 0 }, { 2, 100 } }));
    ASSERT_TRUE(n);
    ASSERT_EQ(n->minutes.size(), 61); // 15:00 … 16:00; 14:59 is more than a minute old
    EXPECT_EQ(n->minutes.front().date, utc(15, 0));
    EXPECT_EQ(n->minutes.back().date, utc(16, 0));
    EXPECT_EQ(n->minutes[0], (NowcastMinute { utc(15, 0), 0.4, 1.0 })); // (14:45, 15:00]
    EXPECT_EQ(n->minutes[1], (NowcastMinute { utc(15, 1), 0.3, 2.0 })); // (15:00, 15:15]
    EXPECT_EQ(n->minutes[15], (NowcastMinute { utc(15, 15), 0.3, 2.0 }));
    EXPECT_EQ(n->minutes[16], (NowcastMinute { utc(15, 16), 1.0, 4.0 })); // no probability, rain: 1
    EXPECT_EQ(n->minutes[31], (NowcastMinute { utc(15, 31), 0.0, 0.0 })); // no probability, dry: 0
    EXPECT_EQ(n->minutes[46], (NowcastMinute { utc(15, 46), 0.0, 3.0 }));
    EXPECT_EQ(n->summary, QStringLiteral("Rain ending around 10:30 AM"));

    // A step with null precipitation leaves its minutes out; so does a missing step. The source
    // starts a minute before the current minute; the service drops what is over a minute old.
    const auto gaps = MinuteForecastSource::minutesFromReply(
        QJsonDocument::fromJson(quarterHours({ { 0, 0 }, { 1, 50 }, { kNull, 50 }, { 1, 50 } })).object(),
        utc(15, 0, 30));
    ASSERT_TRUE(gaps);
    EXPECT_EQ(gaps->size(), 2 + 15); // 14:59–15:00, 15:16–15:30
    EXPECT_EQ(gaps->at(1).date, utc(15, 0));
    EXPECT_EQ(gaps->at(2).date, utc(15, 16));
    EXPECT_EQ(gaps->back().date, utc(15, 30));
}

TEST_F(NowcastServiceTest, SummaryPhrasesAtTheQuarterHourBoundaries)
{
    //                           14:45  15:00  15:15 15:30 15:45 16:00 16:15
    const QByteArray wetToFour = wetWhere({ false, false, true, true, true, true, false });
    {
        SCOPED_TRACE("first wet at 1, last at 56 of 61");
        const auto a = nowcastAt(utc(15, 4, 30), wetToFour); // positions 0–11 end at 15:15, 42–56 at 16:00
        ASSERT_TRUE(a);
        EXPECT_EQ(a->minutes.size(), 61);
        EXPECT_EQ(a->summary, QStringLiteral("Rain continuing through the next hour"));
        const auto b = nowcastAt(utc(15, 0, 30), wetToFour); // position 0 is dry, 1 wet, 60 wet
        EXPECT_EQ(b->summary, QStringLiteral("Rain continuing through the next hour"));
    }
    {
        SCOPED_TRACE("last wet at 55 of 61");
        const auto n = nowcastAt(utc(15, 5, 30), wetToFour); // positions 41–55 end at 16:00
        ASSERT_TRUE(n);
        EXPECT_EQ(n->minutes.size(), 61);
        EXPECT_EQ(n->summary, QStringLiteral("Rain ending around 11:00 AM"));
    }
    {
        SCOPED_TRACE("first wet at 2");
        const auto n = nowcastAt(utc(14, 59, 30), wetToFour); // 14:59 and 15:00 are dry
        ASSERT_TRUE(n);
        EXPECT_EQ(n->minutes.size(), 61);
        EXPECT_EQ(n->summary, QStringLiteral("Rain starting around 10:01 AM"));
    }
    {
        SCOPED_TRACE("0.3 is wet, 0.29 is dry");
        const auto wet =
            nowcastAt(utc(15, 0, 30), quarterHours({ { 0, 0 }, { 0, 0 }, { 0, 0 }, { 0.1, 30 }, { 0, 0 } }));
        ASSERT_TRUE(wet);
        EXPECT_EQ(wet->summary, QStringLiteral("Rain from about 10:16 AM to 10:30 AM"));
        EXPECT_FALSE(nowcastAt(utc(15, 0, 30), quarterHours({ { 0, 0 }, { 0, 0 }, { 0, 0 }, { 0.1, 29 }, { 0, 0 } })));
    }
}

TEST_F(NowcastServiceTest, SummaryAtMinutePositions)
{
    const QTimeZone zone(QByteArrayLiteral("America/Chicago"));
    const auto minutes = [](std::initializer_list<qsizetype> wet) {
        QList<NowcastMinute> list;
        for (int i = 0; i < 61; ++i) {
            list.append(NowcastMinute { utc(15, 0).addSecs(60 * i), 0.0, 0.0 });
        }
        for (const qsizetype i : wet) {
            list[i].chance = 0.3;
        }
        return list;
    };
    EXPECT_EQ(NowcastService::summarise(minutes({ 1, 56 }), zone)->summary,
        QStringLiteral("Rain continuing through the next hour"));
    EXPECT_EQ(
        NowcastService::summarise(minutes({ 1, 55 }), zone)->summary, QStringLiteral("Rain ending around 10:55 AM"));
    EXPECT_EQ(NowcastService::summarise(minutes({ 30 }), zone)->summary,
        QStringLiteral("Rain from about 10:30 AM to 10:30 AM"));
    EXPECT_EQ(
        NowcastService::summarise(minutes({ 2, 60 }), zone)->summary, QStringLiteral("Rain starting around 10:02 AM"));
    EXPECT_FALSE(NowcastService::summarise(minutes({}), zone));
    EXPECT_EQ(NowcastService::summarise(minutes({ 30 }), zone)->minutes.size(), 61);
}

TEST_F(NowcastServiceTest, OneRequestPerPlaceForFiveMinutes)
{
    server.route(kPath, FakeServer::json(wetWhere({ true, true, true, true, true, true, true })));
    ASSERT_TRUE(nowcast(41.878, -87.6298));
    clock.advance(299);
    ASSERT_TRUE(nowcast(41.8801, -87.6312)); // the same "41.88,-87.63"
    EXPECT_EQ(server.count(kPath), 1);
    clock.advance(1);
    ASSERT_TRUE(nowcast(41.878, -87.6298));
    EXPECT_EQ(server.count(kPath), 2);
    (void)nowcast(41.9, -87.6298); // another place
    EXPECT_EQ(server.count(kPath), 3);

    // Failures and dry hours are remembered just as long.
    server.clearRequests();
    server.route(kPath, FakeServer::json("busy", 503));
    clock.advance(300);
    EXPECT_FALSE(nowcast());
    clock.advance(299);
    EXPECT_FALSE(nowcast());
    EXPECT_EQ(server.count(kPath), 1);
}

TEST_F(NowcastServiceTest, NothingWithoutUsableMinutes)
{
    const auto attempt = [this](const QByteArray &body, int status = 200) {
        clock.advance(300);
        server.route(kPath, FakeServer::json(body, status));
        return nowcast();
    };
    EXPECT_FALSE(attempt(R"({"latitude":1})")); // no 15-minute data
    EXPECT_FALSE(attempt(quarterHours({ { kNull, 90 }, { kNull, 90 } }))); // only nulls
    EXPECT_FALSE(attempt("{}", 500));
    EXPECT_FALSE(attempt("not json"));
    EXPECT_FALSE(attempt(R"({"minutely_15":{"time":"x"}})"));

    // A real reply: all dry, no probabilities.
    clock.set(QDateTime::fromSecsSinceEpoch(1786653000 + 20, Qt::UTC));
    server.route(
        kPath, FakeServer::fromFile(QStringLiteral("openmeteo_forecast_minutely_15_unixtime_past4_next24.json")));
    const auto minutes = await(source->minuteForecast(50, 14.76));
    ASSERT_TRUE(minutes);
    EXPECT_EQ(minutes->size(), 62);
    EXPECT_TRUE(std::all_of(
        minutes->cbegin(), minutes->cend(), [](const NowcastMinute &m) { return m.chance == 0 && m.intensity == 0; }));
    EXPECT_FALSE(nowcast(50, 14.76));
}

TEST_F(NowcastServiceTest, ModelTextListsEveryFifthMinute)
{
    server.route(kPath, FakeServer::json(wetWhere({ false, true, true, true, true, true, true })));
    const auto text = await(service->nowcastText(41.878, -87.6298, kChicago));
    ASSERT_TRUE(text);
    const QStringList lines = text->split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0],
        QStringLiteral("Minute-by-minute rain nowcast (next hour, from Open-Meteo 15-minute data): "
                       "Rain continuing through the next hour."));
    EXPECT_EQ(lines[1], QStringLiteral("- 10:00 AM: 80% chance, 2.0 mm/hr"));
    EXPECT_EQ(lines[2], QStringLiteral("- 10:05 AM: 80% chance, 2.0 mm/hr"));
    EXPECT_EQ(lines[13], QStringLiteral("- 11:00 AM: 80% chance, 2.0 mm/hr"));
    EXPECT_EQ(server.count(kPath), 1); // the text reuses the cached reading

    server.route(kPath, FakeServer::json(wetWhere({ false, false, false, false, false, false, false })));
    EXPECT_FALSE(await(service->nowcastText(10, 10, kChicago)));
}
