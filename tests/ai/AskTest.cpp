// SPDX-License-Identifier: GPL-3.0-or-later
// Ask: the request with its history window, the web-search fallback and the reply checks.
#include "ai/AiError.h"
#include "ai/AiService.h"
#include "net/AppError.h"
#include "text/DateText.h"

#include "AiWorld.h"

#include <gtest/gtest.h>

using namespace ai_test;
using test_support::await;

namespace {

QString ask(AiWorld &world, const QString &question, QList<QaPair> history = {}, SavedLocation place = london(),
    std::optional<QString> key = kKey)
{
    return await(world.ai.answer(question, place, key, history, true, true, false));
}

// The description of what answering throws, or "no error".
QString failureOf(AiWorld &world, const QString &question, std::optional<QString> key = kKey)
{
    try {
        (void)ask(world, question, {}, london(), key);
    } catch (const AppError &e) {
        return e.description();
    }
    return QStringLiteral("no error");
}

QList<QaPair> turns(int count)
{
    QList<QaPair> history;
    for (int i = 1; i <= count; ++i) {
        history.append({ QStringLiteral(" Question %1?\n").arg(i), QStringLiteral("\nAnswer %1. ").arg(i) });
    }
    return history;
}

QStringList rolesAndContents(const QJsonArray &messages)
{
    QStringList out;
    for (const QJsonValue &m : messages) {
        out.append(m[QLatin1StringView("role")].toString() + QStringLiteral(": ")
            + m[QLatin1StringView("content")].toString().section(QLatin1Char('\n'), 0, 0));
    }
    return out;
}

} // namespace

TEST(Ask, QuestionAndKeyAreCheckedFirst)
{
    AiWorld world;
    world.server.route(kMessagesPath, textReply(QStringLiteral("Yes.")));
    EXPECT_EQ(failureOf(world, QStringLiteral(" \n\t ")), QStringLiteral("Please enter a question."));
    EXPECT_EQ(failureOf(world, QString(), std::nullopt), QStringLiteral("Please enter a question."));
    EXPECT_EQ(failureOf(world, QStringLiteral("Rain?"), std::nullopt),
        QStringLiteral("No Anthropic API key is saved. Add one in Settings."));
    EXPECT_EQ(failureOf(world, QStringLiteral("Rain?"), QString()),
        QStringLiteral("No Anthropic API key is saved. Add one in Settings."));
    EXPECT_TRUE(world.server.requests().isEmpty());
}

TEST(Ask, TheRequest)
{
    AiWorld world;
    world.server.route(
        kMessagesPath, FakeServer::fromFile(QStringLiteral("anthropic_messages_web_search_end_turn.json")));
    const QString answer = ask(world, QStringLiteral("\n  Will it rain tomorrow?  "), turns(7));
    EXPECT_TRUE(answer.startsWith(QStringLiteral("Based on the search results, here's the weather information")));

    const auto requests = world.server.requests(kMessagesPath);
    ASSERT_EQ(requests.size(), 1);
    const QJsonObject body = bodyOf(requests.first());
    EXPECT_EQ(body.value(QLatin1StringView("model")).toString(), QStringLiteral("claude-sonnet-5"));
    EXPECT_EQ(body.value(QLatin1StringView("max_tokens")).toInt(), 2048);
    const QJsonArray tools { QJsonObject { { QStringLiteral("type"), QStringLiteral("web_search_20250305") },
        { QStringLiteral("name"), QStringLiteral("web_search") }, { QStringLiteral("max_uses"), 3 } } };
    EXPECT_EQ(body.value(QLatin1StringView("tools")).toArray(), tools);
    const QString system = body.value(QLatin1StringView("system")).toString();
    EXPECT_TRUE(system.startsWith(QStringLiteral("You are Merrin Vale, a friendly, knowledgeable TV meteorologist, "
                                                 "answering a viewer's question inside your weather app.")));
    EXPECT_TRUE(system.contains(QStringLiteral("prefer authoritative sources (weather.gov, NOAA) and mention")));
    EXPECT_TRUE(system.contains(QStringLiteral("follow-ups (\"what about Sunday?\"), but the forecast data")));
    EXPECT_TRUE(system.endsWith(QStringLiteral(
        "no bullet characters. Always express temperatures in Fahrenheit (°F) and wind speeds in mph — these are "
        "the user's app settings. Convert if needed; never state values in other units.")));

    // Seven earlier turns: the last five, trimmed, as ten alternating messages, then the question.
    const QJsonArray messages = body.value(QLatin1StringView("messages")).toArray();
    ASSERT_EQ(messages.size(), 11);
    EXPECT_EQ(rolesAndContents(messages).mid(0, 10),
        (QStringList { QStringLiteral("user: Question 3?"), QStringLiteral("assistant: Answer 3."),
            QStringLiteral("user: Question 4?"), QStringLiteral("assistant: Answer 4."),
            QStringLiteral("user: Question 5?"), QStringLiteral("assistant: Answer 5."),
            QStringLiteral("user: Question 6?"), QStringLiteral("assistant: Answer 6."),
            QStringLiteral("user: Question 7?"), QStringLiteral("assistant: Answer 7.") }));
    EXPECT_EQ(messages[0][QLatin1StringView("content")].toString(), QStringLiteral("Question 3?"));
    EXPECT_EQ(messages[10][QLatin1StringView("role")].toString(), QStringLiteral("user"));
    const QString expected = QStringLiteral("Location: London, England\n"
                                            "Today is Tuesday, July 14, 2026 (local time in Europe/London).\n"
                                            "\n"
                                            "Forecast data:\n")
        + world.forecastText(london()) + QStringLiteral("\n\nQuestion: Will it rain tomorrow?");
    EXPECT_EQ(messages[10][QLatin1StringView("content")].toString().toStdString(), expected.toStdString());
}

TEST(Ask, BlankTurnsAreSkipped)
{
    AiWorld world;
    world.server.route(kMessagesPath, textReply(QStringLiteral("Yes.")));
    QList<QaPair> history = turns(5);
    history[1].answer = QStringLiteral(" \n\t");
    history[3].question = QString();
    EXPECT_EQ(ask(world, QStringLiteral("And Sunday?"), history), QStringLiteral("Yes."));
    const QJsonArray messages =
        bodyOf(world.server.requests(kMessagesPath).first())[QLatin1StringView("messages")].toArray();
    EXPECT_EQ(rolesAndContents(messages),
        (QStringList { QStringLiteral("user: Question 1?"), QStringLiteral("assistant: Answer 1."),
            QStringLiteral("user: Question 3?"), QStringLiteral("assistant: Answer 3."),
            QStringLiteral("user: Question 5?"), QStringLiteral("assistant: Answer 5."),
            QStringLiteral("user: Location: London, England") }));
}

TEST(Ask, AWebSearch400IsRetriedOnceWithoutTheTool)
{
    {
        SCOPED_TRACE("the tool is not available");
        AiWorld world;
        world.server.routeSequence(kMessagesPath,
            { errorReply(400, QStringLiteral("tools.0: Web_Search is not enabled for this organization")),
                textReply(QStringLiteral("Dry until Friday.")) });
        EXPECT_EQ(ask(world, QStringLiteral("Rain?")), QStringLiteral("Dry until Friday."));
        const auto requests = world.server.requests(kMessagesPath);
        ASSERT_EQ(requests.size(), 2);
        QJsonObject first = bodyOf(requests[0]);
        const QJsonObject second = bodyOf(requests[1]);
        EXPECT_TRUE(first.contains(QStringLiteral("tools")));
        EXPECT_FALSE(second.contains(QStringLiteral("tools")));
        first.remove(QStringLiteral("tools"));
        EXPECT_EQ(first, second);
    }
    {
        SCOPED_TRACE("the retry fails too");
        AiWorld world;
        world.server.route(kMessagesPath, errorReply(400, QStringLiteral("web_search: unavailable")));
        EXPECT_EQ(failureOf(world, QStringLiteral("Rain?")),
            QStringLiteral("Anthropic request failed: web_search: unavailable"));
        EXPECT_EQ(world.server.count(kMessagesPath), 2);
    }
    {
        SCOPED_TRACE("any other 400 is reported");
        AiWorld world;
        world.server.route(
            kMessagesPath, FakeServer::fromFile(QStringLiteral("anthropic_error_400_invalid_request_error.json"), 400));
        EXPECT_EQ(failureOf(world, QStringLiteral("Rain?")),
            QStringLiteral("Anthropic request failed: This model does not support effort level 'xhigh'. "
                           "Supported levels: high, low, max, medium."));
        EXPECT_EQ(world.server.count(kMessagesPath), 1);
    }
    {
        SCOPED_TRACE("web_search mentioned with another status");
        AiWorld world;
        world.server.route(kMessagesPath, errorReply(500, QStringLiteral("web_search backend down")));
        EXPECT_EQ(failureOf(world, QStringLiteral("Rain?")),
            QStringLiteral("Anthropic request failed: web_search backend down"));
        EXPECT_EQ(world.server.count(kMessagesPath), 1);
    }
}

TEST(Ask, RepliesThatAreNotAnswers)
{
    struct Case
    {
        const char *name;
        FakeServer::Response reply;
        QString expected;
    };
    const QList<Case> cases {
        { "a refusal with text", textReply(QStringLiteral("I can't help with that."), QStringLiteral("refusal")),
            QStringLiteral("Merrin declined to answer this question.") },
        { "white space only", textReply(QStringLiteral("\n  \n")), QStringLiteral("Merrin returned an empty answer.") },
        { "only a tool call", FakeServer::fromFile(QStringLiteral("anthropic_messages_tool_use.json")),
            QStringLiteral("Merrin returned an empty answer.") },
        { "rate limited", errorReply(429, QStringLiteral("slow down")),
            QStringLiteral("Anthropic rate limit reached. Wait a moment and try again.") },
        { "a paused turn still has text",
            FakeServer::fromFile(QStringLiteral("anthropic_messages_web_search_pause_turn.json")),
            QStringLiteral("no error") },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        AiWorld world;
        world.server.route(kMessagesPath, c.reply);
        EXPECT_EQ(failureOf(world, QStringLiteral("Rain?")), c.expected);
    }
}

TEST(Ask, TheForecastFailureIsTheAnswer)
{
    AiWorld world;
    world.setForecast(FakeServer::json("busy", 503));
    world.server.route(kMessagesPath, textReply(QStringLiteral("Yes.")));
    EXPECT_EQ(failureOf(world, QStringLiteral("Rain?")), QStringLiteral("Request failed (503): busy"));
    EXPECT_EQ(world.server.count(kMessagesPath), 0);
}

TEST(Ask, TheDateLineUsesThePlacesZone)
{
    AiWorld world;
    world.server.route(kMessagesPath, textReply(QStringLiteral("Yes.")));
    const auto dateLine = [&world](const QString &zone) {
        SavedLocation place = london();
        place.timezone = zone;
        world.server.clearRequests();
        (void)ask(world, QStringLiteral("Rain?"), {}, place);
        const QJsonArray messages =
            bodyOf(world.server.requests(kMessagesPath).first())[QLatin1StringView("messages")].toArray();
        return messages.last()[QLatin1StringView("content")].toString().section(QLatin1Char('\n'), 1, 1);
    };
    // 23:30 UTC on Tuesday is already Wednesday in Tokyo.
    world.clock.set(QDateTime(QDate(2026, 7, 14), QTime(23, 30), Qt::UTC));
    EXPECT_EQ(dateLine(QStringLiteral("Asia/Tokyo")),
        QStringLiteral("Today is Wednesday, July 15, 2026 (local time in Asia/Tokyo)."));
    EXPECT_EQ(dateLine(QStringLiteral("America/Los_Angeles")),
        QStringLiteral("Today is Tuesday, July 14, 2026 (local time in America/Los_Angeles)."));

    // An identifier the system does not know: the computer's own zone, the identifier as stored.
    world.clock.set(noon());
    const QString expectedDay =
        text::formatDate(noon(), QStringLiteral("EEEE, MMMM d, yyyy"), QTimeZone::systemTimeZone());
    EXPECT_EQ(dateLine(QStringLiteral("Mars/Olympus_Mons")),
        QStringLiteral("Today is ") + expectedDay + QStringLiteral(" (local time in Mars/Olympus_Mons)."));
}
