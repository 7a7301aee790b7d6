// SPDX-License-Identifier: GPL-3.0-or-later
// The Messages client over real HTTP: the request, the retries, the reply check and the text.
#include "ai/MessagesClient.h"

#include "AiWorld.h"

#include <QElapsedTimer>

using namespace ai_test;

namespace {

const QJsonObject kBody { { QStringLiteral("model"), QStringLiteral("claude-haiku-4-5") } };

FakeServer::Response dropped()
{
    FakeServer::Response r = FakeServer::json("{}");
    r.misbehavior = FakeServer::Misbehavior::CloseConnection;
    return r;
}

} // namespace

TEST(MessagesClient, PostsTheBodyWithTheThreeHeaders)
{
    FakeServer server;
    MessagesClient client(server.baseUrl() + QStringLiteral("/anthropic")); // a base URL with a path
    server.route(QStringLiteral("/anthropic/v1/messages"),
        FakeServer::fromFile(QStringLiteral("anthropic_messages_text_end_turn.json")));
    EXPECT_EQ(await(client.send(kBody, kKey))[QLatin1StringView("id")].toString(),
        QStringLiteral("msg_01Fg1JVgvCYUHWsxrj9GkpEv"));
    const FakeServer::Request r = server.requests().value(0);
    EXPECT_EQ(r.method, QStringLiteral("POST"));
    EXPECT_EQ(r.headers.value(QStringLiteral("x-api-key")), kKey);
    EXPECT_EQ(r.headers.value(QStringLiteral("anthropic-version")), QStringLiteral("2023-06-01"));
    EXPECT_EQ(r.headers.value(QStringLiteral("content-type")), QStringLiteral("application/json"));
    EXPECT_EQ(r.body, QJsonDocument(kBody).toJson(QJsonDocument::Compact));
}

// 401 and bodies that are not JSON are in the fault matrix.
TEST(MessagesClient, FailedRepliesAndTheirMessages)
{
    const struct
    {
        const char *name;
        FakeServer::Response response;
        QString expected;
    } cases[] {
        { "404 with the server's message",
            FakeServer::fromFile(QStringLiteral("anthropic_error_404_not_found_error.json"), 404),
            QStringLiteral("Anthropic request failed: model: claude-does-not-exist") },
        { "a message echoing the key", errorReply(400, QStringLiteral("invalid x-api-key: ") + kKey),
            QStringLiteral("Anthropic request failed: invalid x-api-key: [key]") },
        { "429, never retried", errorReply(429, QStringLiteral("tokens exceeded")),
            QStringLiteral("Anthropic rate limit reached. Wait a moment and try again.") },
        { "500 without error", FakeServer::json(R"({"type":"error"})", 500),
            QStringLiteral("Anthropic request failed: HTTP 500") },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FakeServer server;
        server.route(kMessagesPath, c.response);
        MessagesClient client(server.baseUrl(), fastRetries());
        EXPECT_EQ(failureOf([&] { return await(client.send(kBody, kKey)); }), c.expected);
        EXPECT_EQ(server.count(kMessagesPath), 1); // a status is an answer: never retried
    }
}

TEST(MessagesClient, ADroppedConnectionIsRetriedTwice)
{
    FakeServer server;
    server.routeSequence(
        kMessagesPath, { dropped(), FakeServer::fromFile(QStringLiteral("anthropic_messages_text_end_turn.json")) });
    MessagesClient client(server.baseUrl()); // the real one-second pause
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(
        MessagesClient::replyText(await(client.send(kBody, kKey))), QStringLiteral("The capital of France is Paris."));
    EXPECT_GE(timer.elapsed(), 950);
    EXPECT_EQ(server.count(kMessagesPath), 2);

    SCOPED_TRACE("dropped three times: the error, without the key");
    server.route(kMessagesPath, dropped());
    MessagesClient quick(server.baseUrl(), fastRetries());
    const QString error = failureOf([&] { return await(quick.send(kBody, kKey)); });
    EXPECT_NE(error, QStringLiteral("no error"));
    EXPECT_FALSE(error.contains(kKey));
    EXPECT_EQ(server.count(kMessagesPath), 5);
}

TEST(MessagesClient, ReplyTextJoinsTheTextBlocks)
{
    const QJsonObject mixed = QJsonDocument::fromJson(R"({"content":[{"type":"text","text":"\n  Rain arrives by "},
        {"type":"server_tool_use","id":"srvtoolu_1","name":"web_search","input":{"query":"rain"}},
        {"type":"text","text":42}, {"type":"text","text":"3 PM.\n\n"}]})")
                                  .object();
    EXPECT_EQ(MessagesClient::replyText(mixed), QStringLiteral("Rain arrives by 3 PM."));
    EXPECT_EQ(MessagesClient::replyText(
                  QJsonDocument::fromJson(testData(QStringLiteral("anthropic_messages_tool_use.json"))).object()),
        QString());
}
