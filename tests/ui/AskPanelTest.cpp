// SPDX-License-Identifier: GPL-3.0-or-later
// The Ask panel's view over the real app model, its questions answered by the Anthropic client
// against a local server: what a send asks, what the conversation then shows, and what happens
// while an answer is on its way.
#include "app/AppModel.h"
#include "app/LiveSources.h"
#include "ui/BriefingViewModel.h"

#include "AppWorld.h"
#include "Await.h"
#include "FakeServer.h"
#include "TestKeys.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::await;
using test_support::spinUntil;

namespace {

const QString kMessages = QStringLiteral("/v1/messages");
const QString kSuggested = QStringLiteral("Will the storm cool things down tonight?");
const QString kAnswer = QStringLiteral("The capital of France is Paris."); // what the recorded reply says

// The real services, with a briefing that offers a question (the briefing itself is not what
// these tests are about).
class SuggestingSources : public LiveSources
{
public:
    using LiveSources::LiveSources;
    QCoro::Task<std::optional<BriefingResult>> generateBriefing(
        SavedLocation, std::optional<QString>, Flags, QList<NwsAlert>) override
    {
        co_return std::optional<BriefingResult>(BriefingResult { QStringLiteral("Storms by 5."), kSuggested, {} });
    }
};

class AskPanelTest : public ::testing::Test, protected AppWorld
{
protected:
    AskPanelTest()
        : AppWorld(QStringLiteral("org.merrinvale.MerrinVale.ui-tests"))
    {
        server.route(QStringLiteral("/v1/forecast"),
            FakeServer::fromFile(QStringLiteral("openmeteo_forecast_synthetic_chicago_7day.json")));
        answerWith(QStringLiteral("anthropic_messages_text_end_turn.json"));
        QObject::connect(&view, &BriefingViewModel::sent, &view, [this] { ++sent; });
    }
    ~AskPanelTest() override { await(settings.setApiKey(QString())); }

    void SetUp() override
    {
        await(settings.setApiKey(test_keys::kAnthropicKey));
        model.select(SavedLocation { QStringLiteral("Chicago"), QStringLiteral("Illinois"), std::nullopt, 41.88, -87.63,
            QStringLiteral("America/Chicago") });
        ASSERT_TRUE(spinUntil([this] { return model.suggestedQuestion() && !model.forecastLoading(); }));
        ASSERT_EQ(view.placeholder(), kSuggested);
    }

    void answerWith(const QString &file, int status = 200, std::chrono::milliseconds delay = {})
    {
        FakeServer::Response response = FakeServer::fromFile(file, status);
        response.delay = delay;
        server.route(kMessages, std::move(response));
    }

    // The question each request to the Anthropic endpoint carried.
    QStringList questionsAsked() const
    {
        QStringList out;
        for (const FakeServer::Request &r : server.requests(kMessages)) {
            const QString body = QString::fromUtf8(r.body);
            const qsizetype at = body.lastIndexOf(QStringLiteral("Question: "));
            out.append(body.mid(at + 10).section(u'"', 0, 0));
        }
        return out;
    }

    bool answered() const { return !model.askLoading(); }

    SuggestingSources sources { network, endpoints, defaults, clock };
    AppModel model { settings, sources, defaults, clock };
    BriefingViewModel view { model, clock };
    int sent = 0;
};

} // namespace

TEST_F(AskPanelTest, AQuestionIsAnsweredAFailureSaysWhyAndANewConversationStartsEmpty)
{
    SCOPED_TRACE("a typed line break sends the text at once, on one line");
    view.setQuestion(QStringLiteral("  Rain\nat 6?"));
    EXPECT_EQ(sent, 1);
    EXPECT_TRUE(view.question().isEmpty());
    ASSERT_TRUE(spinUntil([this] { return answered() && view.hasExchange(); }));
    EXPECT_EQ(questionsAsked(), QStringList { QStringLiteral("Rain at 6?") });
    const QVariantMap exchange = view.askHistory().value(0).toMap();
    EXPECT_EQ(exchange.value(QStringLiteral("question")).toString(), QStringLiteral("Rain at 6?"));
    EXPECT_EQ(exchange.value(QStringLiteral("answer")).toString(), kAnswer);
    EXPECT_EQ(view.placeholder(), QStringLiteral("Ask a follow-up…"));

    SCOPED_TRACE("an empty field after the first exchange asks nothing");
    view.send();
    EXPECT_EQ(sent, 1);

    SCOPED_TRACE("a failure shows the server's message and keeps the conversation");
    answerWith(QStringLiteral("anthropic_error_404_not_found_error.json"), 404);
    view.setQuestion(QStringLiteral("And Sunday?"));
    view.send();
    ASSERT_TRUE(spinUntil([this] { return answered() && model.askError(); }));
    EXPECT_EQ(model.askErrorText(), QStringLiteral("Anthropic request failed: model: claude-does-not-exist"));
    EXPECT_EQ(view.askHistory().size(), 1);

    SCOPED_TRACE("a new conversation clears both");
    view.clearConversation();
    EXPECT_TRUE(view.askHistory().isEmpty());
    EXPECT_FALSE(model.askError());
    EXPECT_EQ(view.placeholder(), kSuggested);
}

TEST_F(AskPanelTest, AnEmptyFieldAsksTheSuggestionAndNothingIsSentWhileAnAnswerLoads)
{
    answerWith(QStringLiteral("anthropic_messages_text_end_turn.json"), 200, 400ms);

    view.send();
    EXPECT_EQ(sent, 1);
    ASSERT_TRUE(model.askLoading());

    SCOPED_TRACE("while loading, neither send nor Return sends, and the text stays");
    view.setQuestion(QStringLiteral("Second?"));
    view.send();
    EXPECT_EQ(view.question(), QStringLiteral("Second?"));
    view.setQuestion(QStringLiteral("Second?\n"));
    EXPECT_EQ(view.question(), QStringLiteral("Second?"));
    EXPECT_EQ(sent, 1);

    ASSERT_TRUE(spinUntil([this] { return answered(); }));
    EXPECT_EQ(questionsAsked(), QStringList { kSuggested });
    EXPECT_EQ(view.askHistory().value(0).toMap().value(QStringLiteral("question")).toString(), kSuggested);
    EXPECT_EQ(view.question(), QStringLiteral("Second?"));
}

TEST_F(AskPanelTest, AnAnswerForAConversationClearedMeanwhileIsDropped)
{
    answerWith(QStringLiteral("anthropic_messages_text_end_turn.json"), 200, 300ms);
    view.setQuestion(QStringLiteral("Rain at 6?"));
    view.send();
    view.clearConversation();
    ASSERT_TRUE(spinUntil([this] { return answered(); }));
    EXPECT_TRUE(view.askHistory().isEmpty());
}
