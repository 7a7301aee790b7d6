// SPDX-License-Identifier: GPL-3.0-or-later
// The Briefing: the request, the reply's three parts and the half-hour cache.
#include "ai/AiService.h"

#include "AiWorld.h"

#include <atomic>
#include <memory>

#include <gtest/gtest.h>

using namespace ai_test;
using test_support::await;

namespace {

const QString kClosing = QStringLiteral("\n\nWrite the briefing. Start directly with the weather — no greeting, no "
                                        "\"Good morning/afternoon/evening\", no addressing the town by name first.");

std::optional<BriefingResult> briefing(AiWorld &world, const SavedLocation &place = london(), bool fahrenheit = true,
    bool mph = true, std::optional<QString> key = kKey)
{
    return await(world.ai.generateBriefing(place, key, fahrenheit, mph, false));
}

} // namespace

TEST(Briefing, WithoutAKeyNothingIsAsked)
{
    AiWorld world;
    world.server.route(kMessagesPath, textReply(QStringLiteral("Sunny.")));
    EXPECT_FALSE(briefing(world, london(), true, true, std::nullopt));
    EXPECT_FALSE(briefing(world, london(), true, true, QString()));
    EXPECT_TRUE(world.server.requests().isEmpty());
}

TEST(Briefing, OneRequestSplitIntoProseHeadlineAndQuestion)
{
    AiWorld world;
    world.server.route(kMessagesPath,
        textReply(QStringLiteral("Showers clear by noon, then a bright, breezy afternoon near 72°F. "
                                 "The week ahead stays dry.\n"
                                 "HEADLINE: Showers gone by noon, 72°F this afternoon.\n"
                                 "SUGGESTED QUESTION: \u201CWill the wind drop by this evening?\u201D\n")));
    const auto result = briefing(world, london(), false, false);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->text,
        QStringLiteral("Showers clear by noon, then a bright, breezy afternoon near 72°F. The week "
                       "ahead stays dry."));
    EXPECT_EQ(result->headline, QStringLiteral("Showers gone by noon, 72°F this afternoon."));
    EXPECT_EQ(result->suggestedQuestion, QStringLiteral("Will the wind drop by this evening?"));

    const auto requests = world.server.requests(kMessagesPath);
    ASSERT_EQ(requests.size(), 1);
    const QJsonObject body = bodyOf(requests.first());
    EXPECT_EQ(body.keys(),
        (QStringList { QStringLiteral("max_tokens"), QStringLiteral("messages"), QStringLiteral("model"),
            QStringLiteral("system") }));
    EXPECT_EQ(body.value(QLatin1StringView("model")).toString(), QStringLiteral("claude-haiku-4-5"));
    EXPECT_EQ(body.value(QLatin1StringView("max_tokens")).toInt(), 400);
    const QString system = body.value(QLatin1StringView("system")).toString();
    EXPECT_TRUE(system.startsWith(QStringLiteral("You are Merrin Vale, a warm, sharp TV meteorologist, and you are "
                                                 "writing The Briefing — the short on-air style forecast")));
    EXPECT_TRUE(system.endsWith(QStringLiteral(
        "first person where natural, no quotation marks. Always express temperatures in Celsius (°C) and wind speeds "
        "in km/h — these are the user's app settings. Convert if needed; never state values in other units.")));

    const QJsonArray messages = body.value(QLatin1StringView("messages")).toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0][QLatin1StringView("role")].toString(), QStringLiteral("user"));
    // Outside the United States the block is the forecast text alone.
    const QString expected = QStringLiteral("Location: London, England\n\nForecast data:\n")
        + world.forecastText(london(), false, false) + kClosing;
    EXPECT_EQ(messages[0][QLatin1StringView("content")].toString().toStdString(), expected.toStdString());
}

TEST(Briefing, RepliesOfOtherShapes)
{
    struct Case
    {
        const char *name;
        QString reply;
        std::optional<BriefingResult> expected;
    };
    const QList<Case> cases {
        { "labels in lower case, straight quotes",
            QStringLiteral("Muggy with storms after 4 PM.\n\nheadline: \"Storms after 4 PM.\"\nSuggested question: How "
                           "strong will they get?"),
            BriefingResult { QStringLiteral("Muggy with storms after 4 PM."),
                QStringLiteral("How strong will they get?"), QStringLiteral("Storms after 4 PM.") } },
        { "no labels at all", QStringLiteral("  A calm, clear day.\n"),
            BriefingResult { QStringLiteral("A calm, clear day."), std::nullopt, std::nullopt } },
        { "the last label counts",
            QStringLiteral("Expect a HEADLINE: style day.\nHEADLINE: Hot.\nSUGGESTED QUESTION: \u201C\u201D"),
            BriefingResult { QStringLiteral("Expect a HEADLINE: style day."), std::nullopt, QStringLiteral("Hot.") } },
        { "labels only", QStringLiteral("HEADLINE: Hot.\nSUGGESTED QUESTION: Why?"), std::nullopt },
        { "white space only", QStringLiteral(" \n "), std::nullopt },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        AiWorld world;
        world.server.route(kMessagesPath, textReply(c.reply));
        EXPECT_EQ(briefing(world), c.expected);
    }
}

TEST(Briefing, NothingWhenARequestFails)
{
    {
        SCOPED_TRACE("the forecast fails: the model is not asked");
        AiWorld world;
        world.setForecast(FakeServer::json(R"({"error":true,"reason":"bad"})", 400));
        world.server.route(kMessagesPath, textReply(QStringLiteral("Sunny.")));
        EXPECT_FALSE(briefing(world));
        EXPECT_EQ(world.server.count(kMessagesPath), 0);
    }
    {
        SCOPED_TRACE("the model fails");
        AiWorld world;
        world.server.route(kMessagesPath, errorReply(529, QStringLiteral("Overloaded")));
        EXPECT_FALSE(briefing(world));
    }
    {
        SCOPED_TRACE("a reply without text");
        AiWorld world;
        world.server.route(kMessagesPath, FakeServer::fromFile(QStringLiteral("anthropic_messages_tool_use.json")));
        EXPECT_FALSE(briefing(world));
    }
}

TEST(Briefing, ReusedForHalfAnHourPerPlaceAndUnits)
{
    AiWorld world;
    // Briefings are numbered; a local-coverage search finds nothing.
    auto served = std::make_shared<std::atomic_int>(0);
    world.server.routeHandler(kMessagesPath, [served](const FakeServer::Request &r) {
        if (bodyOf(r).value(QLatin1StringView("system")).toString().startsWith(QStringLiteral("You are a research"))) {
            return textReply(QStringLiteral("NONE"));
        }
        return textReply(QStringLiteral("Briefing %1.").arg(++*served));
    });
    const auto briefings = [&world] { return messagesStartingWith(world.server, QStringLiteral("Location:")).size(); };

    EXPECT_EQ(briefing(world)->text, QStringLiteral("Briefing 1."));
    world.clock.advance(1799);
    SavedLocation nearby = london();
    nearby.latitude += 0.004; // the same two-decimal key
    EXPECT_EQ(briefing(world, nearby)->text, QStringLiteral("Briefing 1."));
    EXPECT_EQ(briefings(), 1);

    // New units, a new key.
    EXPECT_EQ(briefing(world, london(), false, true)->text, QStringLiteral("Briefing 2."));
    EXPECT_EQ(briefing(world, london(), true, false)->text, QStringLiteral("Briefing 3."));
    // Local expertise is part of the key too.
    EXPECT_EQ(await(world.ai.generateBriefing(london(), kKey, true, true, true))->text, QStringLiteral("Briefing 4."));
    EXPECT_EQ(briefings(), 4);

    world.clock.advance(1);
    EXPECT_EQ(briefing(world)->text, QStringLiteral("Briefing 5."));
    // A failed briefing is not remembered: the next refresh asks again.
    world.server.route(kMessagesPath, errorReply(500, QStringLiteral("boom")));
    EXPECT_FALSE(briefing(world, london(), false, false));
    world.server.route(kMessagesPath, textReply(QStringLiteral("Later.")));
    EXPECT_EQ(briefing(world, london(), false, false)->text, QStringLiteral("Later."));
}

TEST(Briefing, ExtractLine)
{
    QString text = QStringLiteral("Prose.\nHEADLINE:   \u201C\"Quoted\"\u201D  \n");
    EXPECT_EQ(AiService::extractLine(text, QStringLiteral("HEADLINE:")), QStringLiteral("Quoted"));
    EXPECT_EQ(text, QStringLiteral("Prose."));

    text = QStringLiteral("No marker here.");
    EXPECT_FALSE(AiService::extractLine(text, QStringLiteral("HEADLINE:")));
    EXPECT_EQ(text, QStringLiteral("No marker here."));

    text = QStringLiteral("Prose.\n\nHeadLine:  \"\" ");
    EXPECT_FALSE(AiService::extractLine(text, QStringLiteral("HEADLINE:")));
    EXPECT_EQ(text, QStringLiteral("Prose."));

    text = QStringLiteral("A headline: one. HEADLINE: two");
    EXPECT_EQ(AiService::extractLine(text, QStringLiteral("HEADLINE:")), QStringLiteral("two"));
    EXPECT_EQ(text, QStringLiteral("A headline: one."));
}
