// SPDX-License-Identifier: GPL-3.0-or-later
// The Messages client over real HTTP: the request, the retries, the reply check and the text.
#include "ai/MessagesClient.h"
#include "ai/AiError.h"
#include "net/AppError.h"
#include "net/JsonReaders.h"

#include "AiWorld.h"
#include "Await.h"
#include "FakeServer.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace ai_test;
using test_support::await;

namespace {

const QJsonObject kBody { { QStringLiteral("model"), QStringLiteral("claude-haiku-4-5") },
    { QStringLiteral("max_tokens"), 400 },
    { QStringLiteral("messages"),
        QJsonArray { QJsonObject { { QStringLiteral("role"), QStringLiteral("user") },
            { QStringLiteral("content"), QStringLiteral("Hi") } } } } };

// The description of what sending throws, or "no error".
QString failureOf(MessagesClient &client, const QString &key = kKey)
{
    try {
        (void)await(client.send(kBody, key));
    } catch (const AppError &e) {
        return e.description();
    }
    return QStringLiteral("no error");
}

FakeServer::Response dropped()
{
    FakeServer::Response r = FakeServer::json("{}");
    r.misbehavior = FakeServer::Misbehavior::CloseConnection;
    return r;
}

} // namespace

TEST(MessagesClient, PostsTheBodyCompactWithTheThreeHeaders)
{
    FakeServer server;
    // A base URL with a path prefix.
    MessagesClient client(server.baseUrl() + QStringLiteral("/anthropic"));
    server.route(QStringLiteral("/anthropic/v1/messages"),
        FakeServer::fromFile(QStringLiteral("anthropic_messages_text_end_turn.json")));

    const QJsonObject reply = await(client.send(kBody, kKey));
    EXPECT_EQ(reply.value(QLatin1StringView("id")).toString(), QStringLiteral("msg_01Fg1JVgvCYUHWsxrj9GkpEv"));

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1);
    const FakeServer::Request &r = requests.first();
    EXPECT_EQ(r.method, QStringLiteral("POST"));
    EXPECT_EQ(r.path, QStringLiteral("/anthropic/v1/messages"));
    EXPECT_EQ(r.headers.value(QStringLiteral("x-api-key")), kKey);
    EXPECT_EQ(r.headers.value(QStringLiteral("anthropic-version")), QStringLiteral("2023-06-01"));
    EXPECT_EQ(r.headers.value(QStringLiteral("content-type")), QStringLiteral("application/json"));
    EXPECT_EQ(r.body, QJsonDocument(kBody).toJson(QJsonDocument::Compact));
    // The key travels in its header only.
    EXPECT_FALSE(r.body.contains(kKey.toUtf8()));
    EXPECT_TRUE(r.query.isEmpty());
    for (auto it = r.headers.cbegin(); it != r.headers.cend(); ++it) {
        if (it.key() != QStringLiteral("x-api-key")) {
            EXPECT_FALSE(it.value().contains(kKey)) << it.key().toStdString();
        }
    }
}

TEST(MessagesClient, FailedRepliesAndTheirMessages)
{
    const QByteArray invalid = testData(QStringLiteral("anthropic_error_400_invalid_request_error.json"));
    const QByteArray notFound = testData(QStringLiteral("anthropic_error_404_not_found_error.json"));
    const QString notJsonError = [] {
        try {
            (void)json::parse("Internal Server Error");
        } catch (const JsonError &e) {
            return e.description();
        }
        return QString();
    }();
    ASSERT_FALSE(notJsonError.isEmpty());

    struct Case
    {
        const char *name;
        FakeServer::Response response;
        QString expected;
    };
    const QList<Case> cases {
        { "401 whatever the body", FakeServer::json(invalid, 401),
            QStringLiteral("Anthropic rejected the API key. Check the key in Settings.") },
        { "401 without a body", FakeServer::json("{}", 401),
            QStringLiteral("Anthropic rejected the API key. Check the key in Settings.") },
        { "429 whatever the body", errorReply(429, QStringLiteral("Number of request tokens has exceeded your limit")),
            QStringLiteral("Anthropic rate limit reached. Wait a moment and try again.") },
        { "400 with the server's message", FakeServer::json(invalid, 400),
            QStringLiteral("Anthropic request failed: This model does not support effort level 'xhigh'. Supported "
                           "levels: high, low, max, medium.") },
        { "404 with the server's message", FakeServer::json(notFound, 404),
            QStringLiteral("Anthropic request failed: model: claude-does-not-exist") },
        { "500 without error", FakeServer::json(R"({"type":"error"})", 500),
            QStringLiteral("Anthropic request failed: HTTP 500") },
        { "529 whose error is not an object", FakeServer::json(R"({"error":"overloaded"})", 529),
            QStringLiteral("Anthropic request failed: HTTP 529") },
        { "503 whose message is not text", FakeServer::json(R"({"error":{"message":42}})", 503),
            QStringLiteral("Anthropic request failed: HTTP 503") },
        { "500 that is not JSON", FakeServer::json("Internal Server Error", 500), notJsonError },
        { "200 that is not JSON", FakeServer::json("Internal Server Error", 200), notJsonError },
        { "200 JSON array", FakeServer::json("[1,2,3]"), QStringLiteral("Unexpected response from server.") },
        { "500 JSON array", FakeServer::json(R"([{"error":{"message":"x"}}])", 500),
            QStringLiteral("Unexpected response from server.") },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeServer server;
        server.route(kMessagesPath, c.response);
        MessagesClient client(server.baseUrl(), AiWorld::fastRetries());
        EXPECT_EQ(failureOf(client).toStdString(), c.expected.toStdString());
        // Statuses are answers, not transport failures: never retried.
        EXPECT_EQ(server.count(kMessagesPath), 1);
    }
}

TEST(MessagesClient, TheKeyNeverAppearsInAnErrorMessage)
{
    FakeServer server;
    MessagesClient client(server.baseUrl(), AiWorld::fastRetries());
    // A server that echoes the key back.
    server.route(kMessagesPath, errorReply(400, QStringLiteral("invalid x-api-key: ") + kKey));
    const QString statusError = failureOf(client);
    EXPECT_TRUE(statusError.startsWith(QStringLiteral("Anthropic request failed: invalid x-api-key: ")));
    EXPECT_FALSE(statusError.contains(kKey));

    server.route(kMessagesPath, dropped());
    const QString transportError = failureOf(client);
    EXPECT_NE(transportError, QStringLiteral("no error"));
    EXPECT_FALSE(transportError.contains(kKey));

    MessagesClient nowhere(QStringLiteral("http://127.0.0.1:1"), AiWorld::fastRetries());
    const QString refused = failureOf(nowhere);
    EXPECT_NE(refused, QStringLiteral("no error"));
    EXPECT_FALSE(refused.contains(kKey));
}

TEST(MessagesClient, ADroppedConnectionIsRetriedAfterOneSecond)
{
    FakeServer server;
    server.routeSequence(
        kMessagesPath, { dropped(), FakeServer::fromFile(QStringLiteral("anthropic_messages_text_end_turn.json")) });
    MessagesClient client(server.baseUrl()); // the real waits
    QElapsedTimer timer;
    timer.start();
    const QJsonObject reply = await(client.send(kBody, kKey));
    EXPECT_GE(timer.elapsed(), 950);
    EXPECT_EQ(MessagesClient::replyText(reply), QStringLiteral("The capital of France is Paris."));
    const auto requests = server.requests(kMessagesPath);
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0].body, requests[1].body);
    EXPECT_EQ(requests[1].headers.value(QStringLiteral("x-api-key")), kKey);
}

TEST(MessagesClient, TheThirdTransientFailureIsRaised)
{
    {
        SCOPED_TRACE("dropped three times");
        FakeServer server;
        server.routeSequence(kMessagesPath,
            { dropped(), dropped(), dropped(),
                FakeServer::fromFile(QStringLiteral("anthropic_messages_text_end_turn.json")) });
        MessagesClient client(server.baseUrl(), AiWorld::fastRetries());
        EXPECT_THROW((void)await(client.send(kBody, kKey)), NetworkError);
        EXPECT_EQ(server.count(kMessagesPath), 3);
    }
    {
        SCOPED_TRACE("timed out three times");
        FakeServer server;
        FakeServer::Response stall = FakeServer::json("{}");
        stall.misbehavior = FakeServer::Misbehavior::Stall;
        stall.stallFor = std::chrono::milliseconds(2000);
        server.route(kMessagesPath, stall);
        MessagesClient::Timing timing = AiWorld::fastRetries();
        timing.requestTimeout = std::chrono::milliseconds(150);
        MessagesClient client(server.baseUrl(), timing);
        EXPECT_EQ(failureOf(client), QStringLiteral("The request timed out."));
        EXPECT_EQ(server.count(kMessagesPath), 3);
    }
    {
        SCOPED_TRACE("refused, then answered");
        FakeServer server;
        server.routeSequence(kMessagesPath,
            { dropped(), dropped(), FakeServer::fromFile(QStringLiteral("anthropic_messages_text_end_turn.json")) });
        MessagesClient client(server.baseUrl(), AiWorld::fastRetries());
        EXPECT_EQ(failureOf(client), QStringLiteral("no error"));
        EXPECT_EQ(server.count(kMessagesPath), 3);
    }
}

TEST(MessagesClient, ReplyTextJoinsTextBlocksInOrder)
{
    const auto fixture = [](const char *name) {
        return QJsonDocument::fromJson(testData(QString::fromLatin1(name))).object();
    };
    EXPECT_EQ(MessagesClient::replyText(fixture("anthropic_messages_text_end_turn.json")),
        QStringLiteral("The capital of France is Paris."));
    EXPECT_EQ(MessagesClient::replyText(fixture("anthropic_messages_tool_use.json")), QString());

    // Nineteen text blocks after the search blocks, citations and all, joined without separators.
    const QString search = MessagesClient::replyText(fixture("anthropic_messages_web_search_end_turn.json"));
    EXPECT_TRUE(
        search.startsWith(QStringLiteral("Based on the search results, here's the weather information for "
                                         "San Francisco today (September 16, 2025):\n\n**Current Conditions:**")));
    EXPECT_TRUE(search.endsWith(QStringLiteral("so sensitive individuals should limit outdoor activities.")));
    EXPECT_EQ(search.size(), 745);

    // A paused turn: texts between ten searches, a dangling tool block at the end.
    const QString paused = MessagesClient::replyText(fixture("anthropic_messages_web_search_pause_turn.json"));
    EXPECT_TRUE(paused.startsWith(QStringLiteral("I'll run these searches for you one at a time. Let me begin:Now "
                                                 "continuing with the remaining searches:")));
    EXPECT_TRUE(paused.endsWith(QStringLiteral("as some variations would return similar results:")));

    const QJsonObject mixed = QJsonDocument::fromJson(R"({"content":[
        {"type":"text","text":"\n  Rain arrives by "},
        {"type":"server_tool_use","id":"srvtoolu_1","name":"web_search","input":{"query":"rain"}},
        {"type":"web_search_tool_result","tool_use_id":"srvtoolu_1","content":[]},
        {"type":"text"},
        {"type":"text","text":42},
        {"type":"tool_use","text":"not shown"},
        {"type":"text","text":"3 PM.\n\n"}]})")
                                  .object();
    EXPECT_EQ(MessagesClient::replyText(mixed), QStringLiteral("Rain arrives by 3 PM."));

    // Content must be a list of objects.
    const QJsonObject stray =
        QJsonDocument::fromJson(R"({"content":[{"type":"text","text":"Rain."},"stray"]})").object();
    EXPECT_EQ(MessagesClient::replyText(stray), QString());
    EXPECT_EQ(
        MessagesClient::replyText(QJsonObject { { QStringLiteral("content"), QStringLiteral("text") } }), QString());
    EXPECT_EQ(MessagesClient::replyText(QJsonObject {}), QString());
}
