// SPDX-License-Identifier: GPL-3.0-or-later
// The speech controller over the real studio-voice client on a loopback server, with scripted
// audio and voice: which voice is heard, when Merrin's waiting and failure lines play, the
// statuses the Listen button shows, and that one synthesis serves every caller.
#include "voice/SpokenBriefing.h"

#include "voice/BriefingAudioPlayer.h"
#include "voice/BriefingSource.h"
#include "voice/GoogleTtsService.h"

#include "Await.h"
#include "FakeAudio.h"
#include "FakeServer.h"
#include "TestKeys.h"
#include "TestOutput.h"
#include "net/Clock.h"

#include <QNetworkAccessManager>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::await;
using Status = SpokenBriefing::Status;

namespace {

const QString kModel = QStringLiteral("/v1beta/models/gemini-3.1-flash-tts-preview:generateContent");
const QString kHolding = BriefingAudioPlayer::holdingLine;
const QString kUnavailable = BriefingAudioPlayer::unavailableLine;

class FakeBriefingSource : public BriefingSource
{
public:
    std::optional<QString> currentBriefingText() const override { return text; }
    std::optional<SavedLocation> briefingPlace() const override { return place; }
    bool hasForecast() const override { return forecast; }
    QCoro::Task<> refreshIfStale() override
    {
        ++refreshes;
        forecast = true;
        text = QStringLiteral("Storms after five.");
        co_return;
    }

    std::optional<QString> text = QStringLiteral("Sunny and 72°F.");
    std::optional<SavedLocation> place =
        SavedLocation { QStringLiteral("Phoenix"), {}, {}, 33.45, -112.07, QStringLiteral("America/Phoenix") };
    bool forecast = true;
    int refreshes = 0;
};

FakeServer::Response audioReply()
{
    QByteArray body = testData(QStringLiteral("gemini_tts_generateContent_audio_L16_truncated.json"));
    body.replace("data...", QByteArray(4800, '\1').toBase64());
    return FakeServer::json(body);
}

struct VoiceWorld
{
    FakeServer server;
    test_support::TempDir caches;
    // Friday 19 July 2024, 4:40 PM in Phoenix.
    FixedClock clock { QDateTime::fromString(QStringLiteral("2024-07-19T23:40:00Z"), Qt::ISODate) };
    GoogleTtsService tts { server.baseUrl(), clock, caches.path() };
    FakeAudioOutput audio;
    FakeSpeechEngine speech;
    BriefingAudioPlayer player { audio, speech, nullptr, {} };
    FakeBriefingSource source;
    std::optional<QString> key = test_keys::kGoogleKey;
    SpokenBriefing spoken { source, tts, player,
        [this]() -> QCoro::Task<std::optional<QString>> {
            std::optional<QString> saved = key; // never co_return a member: it would be moved out
            co_return saved;
        },
        clock };
    QList<Status> statuses;

    VoiceWorld()
    {
        server.route(kModel, audioReply());
        QObject::connect(&spoken, &SpokenBriefing::statusChanged, [this] { statuses.append(spoken.status()); });
    }
    // The file the player was given, if any.
    FakeTrack *file() const
    {
        for (const auto &track : audio.tracks) {
            if (track && track->name.endsWith(QStringLiteral(".wav"))) {
                return track.data();
            }
        }
        return nullptr;
    }
};

TEST(SpokenBriefingTest, TheScriptIsTheBriefingForThePlaceAtItsLocalTimeOrThereIsNone)
{
    VoiceWorld w;
    EXPECT_EQ(w.spoken.currentScript(),
        QStringLiteral("Good afternoon, I'm Merrin Vale. Here's your Friday forecast for Phoenix. Sunny and "
                       "seventy-two degrees. That's the latest — take care."));

    SCOPED_TRACE("no place: no script, and Listen plays the failure line");
    w.source.place.reset();
    EXPECT_EQ(w.spoken.currentScript(), std::nullopt);
    await(w.spoken.play());
    EXPECT_EQ(w.spoken.status(), Status::Failed);
    EXPECT_EQ(w.spoken.failureMessage(), QStringLiteral("There's no briefing to read yet."));
    EXPECT_EQ(w.speech.said, QStringList { kUnavailable });
    EXPECT_FALSE(w.player.isPlaying());
}

TEST(SpokenBriefingTest, WithoutAKeyTheDesktopVoiceReadsAtOnceAndNothingIsSent)
{
    VoiceWorld w;
    w.key.reset();
    await(w.spoken.play());
    EXPECT_EQ(w.spoken.status(), Status::Playing);
    ASSERT_EQ(w.speech.said.size(), 1) << "no waiting line";
    EXPECT_EQ(w.speech.said[0], *w.spoken.currentScript());
    EXPECT_TRUE(w.player.isPlaying());
    EXPECT_EQ(w.player.title(), QStringLiteral("Today's Briefing"));
    EXPECT_EQ(w.player.subtitle(), QStringLiteral("Phoenix"));
    EXPECT_TRUE(await(w.spoken.prewarm()));
    EXPECT_TRUE(w.server.requests().isEmpty());
}

TEST(SpokenBriefingTest, UnpreparedAudioPlaysAfterTheWaitingLine)
{
    VoiceWorld w;
    await(w.spoken.play());
    EXPECT_EQ(w.speech.said, QStringList { kHolding });
    ASSERT_TRUE(w.file());
    EXPECT_TRUE(w.file()->playing);
    EXPECT_FALSE(w.speech.speaking) << "the file silences the waiting line";
    EXPECT_EQ(w.statuses, (QList<Status> { Status::Preparing, Status::Ready, Status::Playing }));
    EXPECT_EQ(w.server.count(kModel), 1);
}

TEST(SpokenBriefingTest, PreparedAudioPlaysWithoutWaitingAndIsMadeOnce)
{
    VoiceWorld w;
    EXPECT_TRUE(await(w.spoken.prewarm()));
    EXPECT_EQ(w.spoken.status(), Status::Ready);
    EXPECT_TRUE(await(w.spoken.prewarm()));
    await(w.spoken.play());
    EXPECT_TRUE(w.speech.said.isEmpty());
    ASSERT_TRUE(w.file());
    EXPECT_EQ(w.spoken.status(), Status::Playing);
    EXPECT_EQ(w.server.count(kModel), 1);

    w.spoken.stop();
    EXPECT_EQ(w.spoken.status(), Status::Ready) << "the prepared script is still current";
    w.source.text = QStringLiteral("Rain by evening.");
    w.spoken.stop();
    EXPECT_EQ(w.spoken.status(), Status::Idle);
}

TEST(SpokenBriefingTest, OverlappingCallersShareOneSynthesis)
{
    VoiceWorld w;
    auto slow = audioReply();
    slow.delay = 300ms;
    w.server.route(kModel, slow);
    auto warm = w.spoken.prewarm();
    auto listen = w.spoken.play();
    EXPECT_TRUE(await(std::move(warm)));
    await(std::move(listen));
    EXPECT_EQ(w.server.count(kModel), 1);
    EXPECT_EQ(w.spoken.status(), Status::Playing);
}

TEST(SpokenBriefingTest, ARejectedKeyFailsThenTheDesktopVoiceReads)
{
    VoiceWorld w;
    w.server.route(kModel, FakeServer::json(R"({"error":{"message":"API key not valid."}})", 403));
    await(w.spoken.play());
    ASSERT_EQ(w.statuses.size(), 3);
    EXPECT_EQ(w.statuses[1], Status::Failed);
    EXPECT_EQ(w.statuses[2], Status::Playing);
    EXPECT_EQ(w.speech.said, (QStringList { kHolding, *w.spoken.currentScript() }));
    EXPECT_TRUE(w.player.isPlaying());

    VoiceWorld warm;
    warm.server.route(kModel, FakeServer::json(R"({"error":{"message":"API key not valid."}})", 403));
    EXPECT_FALSE(await(warm.spoken.prewarm()));
    EXPECT_EQ(warm.spoken.status(), Status::Failed);
    EXPECT_EQ(warm.spoken.failureMessage(), QStringLiteral("Google rejected the request: API key not valid."));
}

TEST(SpokenBriefingTest, WithoutAForecastTheModelIsRefreshedFirst)
{
    VoiceWorld w;
    w.key.reset();
    w.source.forecast = false;
    w.source.text.reset();
    await(w.spoken.play());
    EXPECT_EQ(w.source.refreshes, 1);
    EXPECT_EQ(w.statuses.value(0), Status::Preparing);
    EXPECT_EQ(w.spoken.status(), Status::Playing);
    EXPECT_TRUE(w.speech.said.value(0).contains(QStringLiteral("Phoenix. Storms after five. That's")));
}

TEST(SpokenBriefingTest, StopWhileAudioIsMadeStaysSilent)
{
    VoiceWorld w;
    auto slow = audioReply();
    slow.delay = 300ms;
    w.server.route(kModel, slow);
    auto listen = w.spoken.play();
    test_support::spinUntil([&] { return w.spoken.status() == Status::Preparing; });
    w.spoken.stop();
    await(std::move(listen));
    EXPECT_EQ(w.spoken.status(), Status::Idle);
    EXPECT_FALSE(w.player.isPlaying());
    EXPECT_EQ(w.speech.said, QStringList { kHolding }) << "no fallback voice after a stop";
    EXPECT_EQ(w.file(), nullptr);
}

} // namespace
