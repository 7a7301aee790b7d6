// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/HttpClient.h"
#include "net/AppError.h"
#include "net/Endpoints.h"
#include "net/PendingWaits.h"

#include "Await.h"
#include "FakeServer.h"
#include "TestKeys.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkAccessManager>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::await;

namespace {

class GetData : public ::testing::Test
{
protected:
    QByteArray get(const QString &path, HeaderMap headers = {})
    {
        return await(net::getData(network, QUrl(server.baseUrl() + path), std::move(headers)));
    }

    // The description of what get() throws, or "no error".
    QString errorOf(const QString &path)
    {
        try {
            (void)get(path);
        } catch (const HttpError &e) {
            return e.description();
        }
        return QStringLiteral("no error");
    }

    FakeServer server;
    QNetworkAccessManager network;
};

// Records how a request ends: its body, or the text of its error.
QCoro::Task<> fetchInto(QNetworkAccessManager *network, QUrl url, QString *outcome)
{
    try {
        *outcome = QString::fromUtf8(co_await net::getData(*network, url));
    } catch (const NetworkError &e) {
        *outcome = e.description();
    }
}

// Makes every queued call on the main thread slow, so that a loopback server sending flat out
// stays ahead of it, as on a busy machine.
class SlowMainThread : public QObject
{
public:
    SlowMainThread() { QCoreApplication::instance()->installEventFilter(this); }
    ~SlowMainThread() override { QCoreApplication::instance()->removeEventFilter(this); }
    SlowMainThread(const SlowMainThread &) = delete;
    SlowMainThread &operator=(const SlowMainThread &) = delete;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MetaCall) {
            QElapsedTimer spent;
            spent.start();
            while (spent.nsecsElapsed() < 300'000) { }
        }
        return false;
    }
};

QCoro::Task<> sleepInto(std::chrono::milliseconds duration, std::optional<bool> *slept)
{
    *slept = co_await net::sleepFor(duration);
}

} // namespace

TEST_F(GetData, ReturnsTheBodyOfA2xxReplyAndSendsTheHeaders)
{
    server.route(QStringLiteral("/ok"), FakeServer::json(R"({"fine":true})", 203));
    const QByteArray body =
        get(QStringLiteral("/ok"), { { "User-Agent", "MerrinVale test" }, { "Accept", "application/geo+json" } });
    EXPECT_EQ(body, QByteArray(R"({"fine":true})"));
    const auto requests = server.requests(QStringLiteral("/ok"));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].headers.value(QStringLiteral("user-agent")), QStringLiteral("MerrinVale test"));
    EXPECT_EQ(requests[0].headers.value(QStringLiteral("accept")), QStringLiteral("application/geo+json"));
}

// What the fault matrix does not send: empty, long, non-UTF-8 and control-laden bodies, and
// statuses the network stack has errors of its own for.
TEST_F(GetData, NonSuccessStatusesBecomeRequestFailedMessages)
{
    const struct
    {
        int status;
        QByteArray body;
        QString expected;
    } cases[] = {
        { 500, "", QStringLiteral("Request failed (500)") },
        { 404, QByteArray(200, 'a') + QByteArray(300, 'b'),
            QStringLiteral("Request failed (404): ") + QString(200, u'a') },
        { 502, QByteArray("\xff\xfe\x00garbage", 11), QStringLiteral("Request failed (502)") },
        { 500, QByteArray("<html>\r\n  <body>\x1b[31mBoom\a\0!</body>\n</html>", 43),
            QStringLiteral("Request failed (500): <html> <body>[31mBoom!</body> </html>") },
        { 300, "nope", QStringLiteral("Request failed (300): nope") },
        { 407, "nope", QStringLiteral("Request failed (407): nope") },
        { 409, "nope", QStringLiteral("Request failed (409): nope") },
        { 501, "nope", QStringLiteral("Request failed (501): nope") },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        server.route(QStringLiteral("/status"), FakeServer::json(c.body, c.status));
        EXPECT_EQ(errorOf(QStringLiteral("/status")), c.expected);
    }
    try {
        (void)get(QStringLiteral("/status"));
        FAIL() << "expected HttpError";
    } catch (const HttpError &e) {
        EXPECT_EQ(e.kind(), HttpError::Kind::BadStatus);
        EXPECT_EQ(e.status(), 501);
        EXPECT_EQ(e.body(), QStringLiteral("nope"));
    }
}

TEST_F(GetData, IdenticalRequestsInFlightShareOneReply)
{
    FakeServer::Response slow = FakeServer::json(R"({"shared":true})");
    slow.delay = 200ms;
    server.route(QStringLiteral("/slow"), slow);
    const QUrl url(server.baseUrl() + QStringLiteral("/slow"));
    auto first = net::getData(network, url);
    auto second = net::getData(network, url);
    auto other = net::getData(network, url, { { "Accept", "text/plain" } });
    EXPECT_EQ(test_support::await(std::move(first)), QByteArray(R"({"shared":true})"));
    EXPECT_EQ(test_support::await(std::move(second)), QByteArray(R"({"shared":true})"));
    (void)test_support::await(std::move(other));
    EXPECT_EQ(server.count(QStringLiteral("/slow")), 2) << "other headers make another request";
    // Once answered, the next request is sent again.
    (void)get(QStringLiteral("/slow"));
    EXPECT_EQ(server.count(QStringLiteral("/slow")), 3);
}

TEST_F(GetData, AnAbortedGroupEndsItsRequestsAtOnceAndLeavesOthersRunning)
{
    FakeServer::Response stalled = FakeServer::json("{}");
    stalled.delay = 1500ms;
    server.route(QStringLiteral("/stalled"), stalled);
    const QUrl url(server.baseUrl() + QStringLiteral("/stalled"));
    const net::RequestGroup group = net::RequestGroup::create();
    auto inGroup = net::getData(network, url, {}, net::kDefaultTimeout, group);
    auto outside = net::getData(network, url); // shares the same reply
    QElapsedTimer timer;
    timer.start();
    group.abort();
    try {
        (void)test_support::await(std::move(inGroup));
        ADD_FAILURE() << "expected a cancelled request";
    } catch (const NetworkError &e) {
        EXPECT_TRUE(e.isCancelled());
        EXPECT_EQ(e.description(), QStringLiteral("The request was cancelled."));
    }
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(test_support::await(std::move(outside)), QByteArray("{}"));
    EXPECT_EQ(server.count(QStringLiteral("/stalled")), 1);
    // A request of an aborted group is never sent.
    EXPECT_THROW((void)test_support::await(net::getData(network, url, {}, net::kDefaultTimeout, group)), NetworkError);
    EXPECT_EQ(server.count(QStringLiteral("/stalled")), 1);
}

// What an owner calls before it goes: every request and sleep still waiting ends inside the call,
// with no turn of the event loop.
TEST_F(GetData, EndingPendingWaitsEndsRequestsAndSleepsWithinTheCall)
{
    FakeServer::Response stalled = FakeServer::json("{}");
    stalled.misbehavior = FakeServer::Misbehavior::Stall;
    server.route(QStringLiteral("/stalled"), stalled);
    QString request;
    std::optional<bool> slept;
    const QCoro::Task<> fetching = fetchInto(&network, QUrl(server.baseUrl() + QStringLiteral("/stalled")), &request);
    const QCoro::Task<> sleeping = sleepInto(10s, &slept);
    ASSERT_TRUE(test_support::spinUntil([&] { return server.count(QStringLiteral("/stalled")) == 1; }));
    net::endPendingWaits();
    EXPECT_EQ(request, net::cancelledMessage());
    EXPECT_EQ(slept, std::optional<bool>(false));

    // Afterwards, waits are waits again.
    EXPECT_TRUE(test_support::await(net::sleepFor(1ms)));
}

// The network stack reports progress only once the main thread has caught up with the data.
TEST_F(GetData, AnEndlessReplyFasterThanTheMainThreadIsStillRefusedAtTheLimit)
{
    FakeServer::Response endless = FakeServer::json(QByteArray(256 * 1024, ' '));
    endless.misbehavior = FakeServer::Misbehavior::Endless;
    endless.stallFor = 0ms;
    endless.contentType = "application/octet-stream";
    server.route(QStringLiteral("/endless"), endless);
    const QUrl url(server.baseUrl() + QStringLiteral("/endless"));
    const SlowMainThread slow;
    // A request with a body gets under way differently from one without.
    for (const QByteArray &method : { QByteArray("GET"), QByteArray("POST") }) {
        SCOPED_TRACE(method.toStdString());
        const qint64 before = server.endlessBytesSent();
        try {
            (void)await(net::send(
                network, method, url, {}, method == "GET" ? QByteArray() : QByteArray("{}"), net::kDefaultTimeout));
            ADD_FAILURE() << "an endless reply was accepted";
        } catch (const NetworkError &e) {
            EXPECT_EQ(e.description(), QStringLiteral("The server's reply is too large."));
        }
        // Reading stopped near the limit (the sockets' buffers hold some more). Unchecked, the reply
        // is refused only once the main thread catches up, hundreds of megabytes later.
        EXPECT_LT(server.endlessBytesSent() - before, 3 * net::kMaxBodyBytes);
    }
}

TEST(EndpointsTest, JoinsBasesWithPrefixesAndKeepsQueryOrder)
{
    const QUrl url = Endpoints::url(QStringLiteral("http://127.0.0.1:8080/nws/"), QStringLiteral("/alerts/active"),
        { { QStringLiteral("point"), QStringLiteral("40.7,-74") }, { QStringLiteral("b"), QStringLiteral("Etc/GMT+5") },
            { QStringLiteral("a"), QStringLiteral("x y") } });
    EXPECT_EQ(url.toString(QUrl::FullyEncoded),
        QStringLiteral("http://127.0.0.1:8080/nws/alerts/active?point=40.7,-74&b=Etc%2FGMT%2B5&a=x%20y"));

    Endpoints endpoints;
    const QStringList rejected =
        endpoints.applyOverrides(QJsonObject { { QStringLiteral("nws"), QStringLiteral("http://h/n") },
            { QStringLiteral("bogus"), QStringLiteral("x") }, { QStringLiteral("spc"), 3 } });
    EXPECT_EQ(endpoints.nws, QStringLiteral("http://h/n"));
    EXPECT_EQ(endpoints.spc, QStringLiteral("https://www.spc.noaa.gov"));
    EXPECT_EQ(rejected, (QStringList { QStringLiteral("bogus"), QStringLiteral("spc") }));
}
