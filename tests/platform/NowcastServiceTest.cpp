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
constexpr double kNull = std::numeric_limits<double>::quiet_NaN();

QDateTime utc(int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, 7, 14), QTime(hour, minute, second), Qt::UTC);
}

// A 15-minute reply whose steps end at 14:45, 15:00, 15:15, … (UTC): {mm, percent}, NaN for null.
QByteArray quarterHours(const QList<std::pair<double, double>> &steps)
{
    QJsonArray times;
    QJsonArray amounts;
    QJsonArray chances;
    const auto value = [](double v) { return std::isnan(v) ? QJsonValue(QJsonValue::Null) : QJsonValue(v); };
    for (qsizetype i = 0; i < steps.size(); ++i) {
        times.append(utc(14, 45).toSecsSinceEpoch() + i * 900);
        amounts.append(value(steps[i].first));
        chances.append(value(steps[i].second));
    }
    return QJsonDocument(
        QJsonObject { { QStringLiteral("minutely_15"),
            QJsonObject { { QStringLiteral("time"), times }, { QStringLiteral("precipitation"), amounts },
                { QStringLiteral("precipitation_probability"), chances } } } })
        .toJson();
}

class NowcastServiceTest : public ::testing::Test
{
protected:
    std::optional<NextHourNowcast> nowcast(double lat = 41.878, double lon = -87.6298)
    {
        return await(service->nextHourNowcast(lat, lon, QStringLiteral("America/Chicago"))); // UTC-5 in July
    }

    // A fresh service (empty cache) at this instant, with this reply.
    std::optional<NextHourNowcast> nowcastAt(const QDateTime &now, const QByteArray &reply)
    {
        clock.set(now);
        server.route(kPath, FakeServer::json(reply));
        service = std::make_unique<NowcastService>(source, clock);
        return nowcast();
    }

    FakeServer server;
    QNetworkAccessManager network;
    FixedClock clock { utc(15, 0, 30) };
    MinuteForecastSource source { network, Endpoints { .openMeteoForecast = server.baseUrl() }, clock };
    std::unique_ptr<NowcastService> service = std::make_unique<NowcastService>(source, clock);
};

} // namespace

TEST_F(NowcastServiceTest, MinutesComeFromTheQuarterHourThatHoldsThem)
{
    // Steps ending 14:45, 15:00, 15:15, 15:30, 15:45, 16:00, 16:15.
    const auto n = nowcastAt(utc(15, 0, 30),
        quarterHours({ { 9, 100 }, { 0.25, 40 }, { 0.5, 30 }, { 1, kNull }, { 0, kNull }, { 0.75, 0 }, { 2, 100 } }));
    ASSERT_TRUE(n);
    QStringList items;
    const FakeServer::Request request = server.requests(kPath).first();
    for (const auto &[key, value] : request.query) {
        items.append(key + QLatin1Char('=') + value);
    }
    EXPECT_EQ(items.join(QLatin1Char('&')),
        QStringLiteral("latitude=41.878&longitude=-87.6298&minutely_15=precipitation,precipitation_probability&"
                       "past_minutely_15=1&forecast_minutely_15=8&timezone=GMT&timeformat=unixtime"));
    ASSERT_EQ(n->minutes.size(), 61); // 15:00 … 16:00; 14:59 is more than a minute old
    EXPECT_EQ(n->minutes[0], (NowcastMinute { utc(15, 0), 0.4, 1.0 })); // (14:45, 15:00]
    EXPECT_EQ(n->minutes[1], (NowcastMinute { utc(15, 1), 0.3, 2.0 })); // (15:00, 15:15]
    EXPECT_EQ(n->minutes[16], (NowcastMinute { utc(15, 16), 1.0, 4.0 })); // no probability, rain: 1
    EXPECT_EQ(n->minutes[31], (NowcastMinute { utc(15, 31), 0.0, 0.0 })); // no probability, dry: 0
    EXPECT_EQ(n->minutes[60], (NowcastMinute { utc(16, 0), 0.0, 3.0 }));
    EXPECT_EQ(n->summary, QStringLiteral("Rain ending around 10:30 AM"));

    // A step with null precipitation leaves its minutes out; so does a missing step.
    const auto gaps = MinuteForecastSource::minutesFromReply(
        QJsonDocument::fromJson(quarterHours({ { 0, 0 }, { 1, 50 }, { kNull, 50 }, { 1, 50 } })).object(),
        utc(15, 0, 30));
    ASSERT_TRUE(gaps);
    EXPECT_EQ(gaps->size(), 2 + 15); // 14:59–15:00, 15:16–15:30
    EXPECT_EQ(gaps->at(2).date, utc(15, 16));
}

TEST_F(NowcastServiceTest, SummaryAtMinutePositions)
{
    const QTimeZone zone(QByteArrayLiteral("America/Chicago"));
    const auto summary = [&zone](std::initializer_list<qsizetype> wet) {
        QList<NowcastMinute> list;
        for (int i = 0; i < 61; ++i) {
            list.append(NowcastMinute { utc(15, 0).addSecs(60 * i), 0.0, 0.0 });
        }
        for (const qsizetype i : wet) {
            list[i].chance = 0.3;
        }
        const auto n = NowcastService::summarise(list, zone);
        return n ? n->summary : QStringLiteral("nothing");
    };
    EXPECT_EQ(summary({ 1, 56 }), QStringLiteral("Rain continuing through the next hour"));
    EXPECT_EQ(summary({ 1, 55 }), QStringLiteral("Rain ending around 10:55 AM"));
    EXPECT_EQ(summary({ 30 }), QStringLiteral("Rain from about 10:30 AM to 10:30 AM"));
    EXPECT_EQ(summary({ 2, 60 }), QStringLiteral("Rain starting around 10:02 AM"));
    EXPECT_EQ(summary({}), QStringLiteral("nothing"));

    SCOPED_TRACE("through the service, 0.3 is wet and 0.29 dry");
    const auto wet = nowcastAt(utc(15, 0, 30), quarterHours({ { 0, 0 }, { 0, 0 }, { 0, 0 }, { 0.1, 30 }, { 0, 0 } }));
    ASSERT_TRUE(wet);
    EXPECT_EQ(wet->summary, QStringLiteral("Rain from about 10:16 AM to 10:30 AM"));
    EXPECT_FALSE(nowcastAt(utc(15, 0, 30), quarterHours({ { 0, 0 }, { 0, 0 }, { 0, 0 }, { 0.1, 29 }, { 0, 0 } })));
}

TEST_F(NowcastServiceTest, OneRequestPerPlaceForFiveMinutes)
{
    server.route(kPath, FakeServer::json(quarterHours(QList<std::pair<double, double>>(7, { 0.5, 80 }))));
    ASSERT_TRUE(nowcast(41.878, -87.6298));
    clock.advance(299);
    ASSERT_TRUE(nowcast(41.8801, -87.6312)); // the same "41.88,-87.63"
    EXPECT_EQ(server.count(kPath), 1);
    clock.advance(1);
    ASSERT_TRUE(nowcast(41.878, -87.6298));
    EXPECT_EQ(server.count(kPath), 2);

    // Failures are remembered just as long.
    server.route(kPath, FakeServer::json("busy", 503));
    clock.advance(300);
    EXPECT_FALSE(nowcast());
    clock.advance(299);
    EXPECT_FALSE(nowcast());
    EXPECT_EQ(server.count(kPath), 3);
}

TEST_F(NowcastServiceTest, NothingWithoutUsableMinutes)
{
    for (const QByteArray &body : { QByteArray(R"({"latitude":1})"), quarterHours({ { kNull, 90 }, { kNull, 90 } }),
             QByteArray("not json"), QByteArray(R"({"minutely_15":{"time":"x"}})") }) {
        SCOPED_TRACE(body.toStdString());
        EXPECT_FALSE(nowcastAt(utc(15, 0, 30), body));
    }
    // A real reply: all dry, no probabilities.
    clock.set(QDateTime::fromSecsSinceEpoch(1786653000 + 20, Qt::UTC));
    server.route(
        kPath, FakeServer::fromFile(QStringLiteral("openmeteo_forecast_minutely_15_unixtime_past4_next24.json")));
    const auto minutes = await(source.minuteForecast(50, 14.76));
    ASSERT_TRUE(minutes);
    EXPECT_EQ(minutes->size(), 62);
    EXPECT_FALSE(nowcast(50, 14.76));
}

TEST_F(NowcastServiceTest, ModelTextListsEveryFifthMinute)
{
    server.route(kPath,
        FakeServer::json(quarterHours({ { 0, 10 }, { 0.5, 80 }, { 0.5, 80 }, { 0.5, 80 }, { 0.5, 80 }, { 0.5, 80 } })));
    const auto text = await(service->nowcastText(41.878, -87.6298, QStringLiteral("America/Chicago")));
    ASSERT_TRUE(text);
    const QStringList lines = text->split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 1 + 13);
    EXPECT_EQ(lines[0],
        QStringLiteral("Minute-by-minute rain nowcast (next hour, from Open-Meteo 15-minute data): "
                       "Rain continuing through the next hour."));
    EXPECT_EQ(lines[1], QStringLiteral("- 10:00 AM: 80% chance, 2.0 mm/hr"));
    EXPECT_EQ(lines[13], QStringLiteral("- 11:00 AM: 80% chance, 2.0 mm/hr"));
}
