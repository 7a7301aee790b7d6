// SPDX-License-Identifier: GPL-3.0-or-later
// The Briefing and Ask: their requests, the reply's parts, the history window and the caches.
#include "ai/AiService.h"
#include "text/DateText.h"

#include "AiWorld.h"

using namespace ai_test;

namespace {

std::optional<BriefingResult> briefing(
    AiWorld &world, bool fahrenheit = true, bool mph = true, std::optional<QString> key = kKey)
{
    return await(world.ai.generateBriefing(london(), key, fahrenheit, mph, false));
}

QString ask(AiWorld &world, const QString &question, QList<QaPair> history = {}, SavedLocation place = london(),
    std::optional<QString> key = kKey)
{
    return await(world.ai.answer(question, place, key, history, true, true, false));
}

QString askFailure(AiWorld &world, const QString &question, std::optional<QString> key = kKey)
{
    return failureOf([&] { return ask(world, question, {}, london(), key); });
}

// "role: first line" for each message sent.
QStringList sent(const FakeServer::Request &request)
{
    QStringList out;
    for (const QJsonValue &m : bodyOf(request)[QLatin1StringView("messages")].toArray()) {
        out.append(m[QLatin1StringView("role")].toString() + QStringLiteral(": ")
            + m[QLatin1StringView("content")].toString().section(QLatin1Char('\n'), 0, 0));
    }
    return out;
}

} // namespace

TEST(AiService, NothingIsAskedWithoutAKeyOrAQuestion)
{
    AiWorld world;
    EXPECT_FALSE(briefing(world, true, true, std::nullopt));
    EXPECT_FALSE(briefing(world, true, true, QString()));
    EXPECT_EQ(askFailure(world, QStringLiteral(" \n\t ")), QStringLiteral("Please enter a question."));
    EXPECT_EQ(askFailure(world, QStringLiteral("Rain?"), std::nullopt),
        QStringLiteral("No Anthropic API key is saved. Add one in Settings."));
    EXPECT_TRUE(world.server.requests().isEmpty());
}

TEST(Briefing, OneRequestSplitIntoProseHeadlineAndQuestion)
{
    AiWorld world;
    world.server.route(kMessagesPath,
        textReply(QStringLiteral("Showers clear by noon.\nheadline: Showers gone by noon.\n"
                                 "SUGGESTED QUESTION: \u201CWill the wind drop by this evening?\u201D\n")));
    EXPECT_EQ(briefing(world, false, false),
        (BriefingResult { QStringLiteral("Showers clear by noon."),
            QStringLiteral("Will the wind drop by this evening?"), QStringLiteral("Showers gone by noon.") }));

    ASSERT_EQ(world.server.count(kMessagesPath), 1);
    const FakeServer::Request request = world.server.requests(kMessagesPath).first();
    EXPECT_EQ(bodyOf(request).value(QLatin1StringView("model")).toString(), QStringLiteral("claude-haiku-4-5"));
    EXPECT_TRUE(bodyOf(request)
                    .value(QLatin1StringView("system"))
                    .toString()
                    .endsWith(QStringLiteral("Always express temperatures in Celsius (°C) and wind speeds in km/h — "
                                             "these are the user's app settings. "
                                             "Convert if needed; never state values in other units.")));
    // Outside the United States the block is the forecast text alone.
    EXPECT_EQ(lastContent(request),
        QStringLiteral("Location: London, England\n\nForecast data:\n") + world.forecastText(london(), false, false)
            + QStringLiteral("\n\nWrite the briefing. Start directly with the weather — no greeting, no \"Good "
                             "morning/afternoon/evening\", no addressing the town by name first."));
}

TEST(Briefing, RepliesOfOtherShapes)
{
    AiWorld world;
    world.server.routeSequence(kMessagesPath,
        { textReply(QStringLiteral("HEADLINE: Hot.\nSUGGESTED QUESTION: Why?")), textReply(QStringLiteral(" \n ")),
            errorReply(529, QStringLiteral("Overloaded")), textReply(QStringLiteral("  A calm, clear day.\n")) });
    EXPECT_FALSE(briefing(world)) << "labels only";
    EXPECT_FALSE(briefing(world)) << "white space only";
    EXPECT_FALSE(briefing(world)) << "the model fails";
    EXPECT_EQ(briefing(world), (BriefingResult { QStringLiteral("A calm, clear day."), std::nullopt, std::nullopt }));
    EXPECT_EQ(world.server.count(kMessagesPath), 4);

    world.setForecast(FakeServer::json(R"({"error":true,"reason":"bad"})", 400));
    EXPECT_FALSE(briefing(world, false)) << "the forecast fails: the model is not asked";
    EXPECT_EQ(world.server.count(kMessagesPath), 4);
}

TEST(Briefing, ReusedForHalfAnHourPerPlaceAndUnits)
{
    AiWorld world;
    world.server.routeSequence(kMessagesPath,
        { textReply(QStringLiteral("One.")), textReply(QStringLiteral("Two.")), textReply(QStringLiteral("Three.")),
            errorReply(500, QStringLiteral("boom")), textReply(QStringLiteral("Four.")) });
    EXPECT_EQ(briefing(world)->text, QStringLiteral("One."));
    world.clock.advance(1799);
    EXPECT_EQ(briefing(world)->text, QStringLiteral("One."));
    EXPECT_EQ(world.server.count(kMessagesPath), 1);
    EXPECT_EQ(briefing(world, false)->text, QStringLiteral("Two.")); // other units, another briefing
    world.clock.advance(1);
    EXPECT_EQ(briefing(world)->text, QStringLiteral("Three."));
    // A failed briefing is not remembered: the next refresh asks again.
    EXPECT_FALSE(briefing(world, false, false));
    EXPECT_EQ(briefing(world, false, false)->text, QStringLiteral("Four."));
}

TEST(Ask, TheRequestWithTheLastFiveTurns)
{
    AiWorld world;
    world.server.route(
        kMessagesPath, FakeServer::fromFile(QStringLiteral("anthropic_messages_web_search_end_turn.json")));
    QList<QaPair> history;
    for (int i = 1; i <= 7; ++i) {
        history.append({ QStringLiteral(" Q%1?\n").arg(i), QStringLiteral("\nA%1. ").arg(i) });
    }
    EXPECT_TRUE(ask(world, QStringLiteral("\n  Will it rain tomorrow?  "), history)
                    .startsWith(QStringLiteral("Based on the search results, here's the weather information")));
    const FakeServer::Request request = world.server.requests(kMessagesPath).value(0);
    const QJsonObject body = bodyOf(request);
    EXPECT_EQ(body.value(QLatin1StringView("model")).toString(), QStringLiteral("claude-sonnet-5"));
    EXPECT_EQ(body.value(QLatin1StringView("tools")).toArray(),
        QJsonArray { (QJsonObject { { QStringLiteral("type"), QStringLiteral("web_search_20250305") },
            { QStringLiteral("name"), QStringLiteral("web_search") }, { QStringLiteral("max_uses"), 3 } }) });
    // Seven earlier turns: the last five, trimmed, as ten messages, then the question.
    EXPECT_EQ(sent(request).mid(0, 10),
        (QStringList { QStringLiteral("user: Q3?"), QStringLiteral("assistant: A3."), QStringLiteral("user: Q4?"),
            QStringLiteral("assistant: A4."), QStringLiteral("user: Q5?"), QStringLiteral("assistant: A5."),
            QStringLiteral("user: Q6?"), QStringLiteral("assistant: A6."), QStringLiteral("user: Q7?"),
            QStringLiteral("assistant: A7.") }));
    EXPECT_EQ(lastContent(request),
        QStringLiteral("Location: London, England\nToday is Tuesday, July 14, 2026 (local time in Europe/London).\n\n"
                       "Forecast data:\n")
            + world.forecastText(london()) + QStringLiteral("\n\nQuestion: Will it rain tomorrow?"));

    SCOPED_TRACE("a turn with a blank half is skipped");
    world.server.clearRequests();
    history = history.mid(0, 3);
    history[1].answer = QStringLiteral(" \n\t");
    (void)ask(world, QStringLiteral("And Sunday?"), history);
    EXPECT_EQ(sent(world.server.requests(kMessagesPath).first()),
        (QStringList { QStringLiteral("user: Q1?"), QStringLiteral("assistant: A1."), QStringLiteral("user: Q3?"),
            QStringLiteral("assistant: A3."), QStringLiteral("user: Location: London, England") }));
}

TEST(Ask, AWebSearch400IsRetriedOnceWithoutTheTool)
{
    AiWorld world;
    world.server.routeSequence(kMessagesPath,
        { errorReply(400, QStringLiteral("tools.0: Web_Search is not enabled for this organization")),
            textReply(QStringLiteral("Dry until Friday.")), errorReply(400, QStringLiteral("max_tokens: too large")) });
    EXPECT_EQ(ask(world, QStringLiteral("Rain?")), QStringLiteral("Dry until Friday."));
    const auto requests = world.server.requests(kMessagesPath);
    ASSERT_EQ(requests.size(), 2);
    QJsonObject first = bodyOf(requests[0]);
    EXPECT_TRUE(first.contains(QStringLiteral("tools")));
    first.remove(QStringLiteral("tools"));
    EXPECT_EQ(first, bodyOf(requests[1]));

    EXPECT_EQ(
        askFailure(world, QStringLiteral("Rain?")), QStringLiteral("Anthropic request failed: max_tokens: too large"));
    EXPECT_EQ(world.server.count(kMessagesPath), 3) << "any other 400 is reported";
}

TEST(Ask, RepliesThatAreNotAnswers)
{
    AiWorld world;
    world.server.routeSequence(kMessagesPath,
        { textReply(QStringLiteral("I can't help with that."), QStringLiteral("refusal")),
            textReply(QStringLiteral("\n  \n")),
            FakeServer::fromFile(QStringLiteral("anthropic_messages_web_search_pause_turn.json")) });
    EXPECT_EQ(askFailure(world, QStringLiteral("Rain?")), QStringLiteral("Merrin declined to answer this question."));
    EXPECT_EQ(askFailure(world, QStringLiteral("Rain?")), QStringLiteral("Merrin returned an empty answer."));
    EXPECT_EQ(askFailure(world, QStringLiteral("Rain?")), QStringLiteral("no error")) << "a paused turn has text";

    SCOPED_TRACE("the forecast's failure is the answer");
    world.setForecast(FakeServer::json("busy", 503));
    EXPECT_EQ(askFailure(world, QStringLiteral("Snow?")), QStringLiteral("Request failed (503): busy"));
    EXPECT_EQ(world.server.count(kMessagesPath), 3);
}

TEST(Ask, TheDateLineUsesThePlacesZone)
{
    AiWorld world;
    world.server.route(kMessagesPath, textReply(QStringLiteral("Yes.")));
    const auto dateLine = [&world](const QString &zone) {
        SavedLocation place = london();
        place.timezone = zone;
        (void)ask(world, QStringLiteral("Rain?"), {}, place);
        return lastContent(world.server.requests(kMessagesPath).last()).section(QLatin1Char('\n'), 1, 1);
    };
    world.clock.set(QDateTime(QDate(2026, 7, 14), QTime(23, 30), Qt::UTC)); // already Wednesday in Tokyo
    EXPECT_EQ(dateLine(QStringLiteral("Asia/Tokyo")),
        QStringLiteral("Today is Wednesday, July 15, 2026 (local time in Asia/Tokyo)."));
    // An unknown identifier: the computer's own zone, the identifier as stored.
    world.clock.set(noon());
    EXPECT_EQ(dateLine(QStringLiteral("Mars/Olympus_Mons")),
        QStringLiteral("Today is ")
            + text::formatDate(noon(), QStringLiteral("EEEE, MMMM d, yyyy"), QTimeZone::systemTimeZone())
            + QStringLiteral(" (local time in Mars/Olympus_Mons)."));
}
