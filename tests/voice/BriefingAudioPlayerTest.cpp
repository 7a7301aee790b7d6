// SPDX-License-Identifier: GPL-3.0-or-later
// The briefing player with scripted audio, voice and media controls: what sounds when, the intro
// music's fade, the presenter's lines, pause and resume, and the media keys.
#include "voice/BriefingAudioPlayer.h"

#include "Await.h"
#include "FakeAudio.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Command = MediaControls::Command;

namespace {

struct PlayerWorld
{
    FakeAudioOutput audio;
    FakeSpeechEngine speech;
    FakeMediaControls controls;
    BriefingAudioPlayer player { audio, speech, &controls,
        { QStringLiteral("/a/MerrinIntroStinger.mp3"), {}, {}, QStringLiteral("/a/merrinavatar.png") } };

    FakeTrack *stinger() const { return audio.track(QStringLiteral("MerrinIntroStinger.mp3")); }
    FakeTrack *briefing() const { return audio.track(QStringLiteral("briefing.wav")); }
    void playFile() { player.play(QStringLiteral("/c/briefing.wav"), QStringLiteral("Today's Briefing"), {}); }
};

TEST(BriefingAudioPlayerTest, AFileStartsWithTheMusicUnderItAndFinishesPaused)
{
    PlayerWorld w;
    w.playFile();
    ASSERT_TRUE(w.briefing() && w.stinger());
    EXPECT_TRUE(w.briefing()->playing);
    EXPECT_TRUE(w.stinger()->playing);
    EXPECT_DOUBLE_EQ(w.stinger()->level, 0.5);
    EXPECT_TRUE(w.player.isPlaying());
    ASSERT_TRUE(w.controls.shown);
    EXPECT_EQ(w.controls.shown->title, QStringLiteral("Today's Briefing"));
    // Without a place, her name; the rest of the metadata is checked over MPRIS in PlaybackTest.
    EXPECT_EQ(w.controls.shown->artist, QStringLiteral("Merrin Vale"));
    EXPECT_TRUE(w.controls.shown->playing);

    // Shorter than the music: the music fades to silence over 1.5 s, then stops.
    QPointer<FakeTrack> stinger = w.stinger();
    w.briefing()->end();
    EXPECT_FALSE(w.player.isPlaying());
    ASSERT_TRUE(w.controls.shown) << "the finished briefing stays on show, paused";
    EXPECT_FALSE(w.controls.shown->playing);
    test_support::spin(800ms);
    ASSERT_TRUE(stinger);
    EXPECT_LT(stinger->level, 0.5);
    EXPECT_TRUE(stinger->playing);
    test_support::spinUntil([&] { return !stinger; }, 2s);
    EXPECT_FALSE(stinger) << "the faded music is stopped and let go";
}

TEST(BriefingAudioPlayerTest, MusicThatEndedFirstIsOnlyLetGoAndNotRestartedOnResume)
{
    PlayerWorld w;
    w.playFile();
    w.stinger()->end();
    w.controls.handler(Command::Pause);
    w.controls.handler(Command::Play);
    EXPECT_EQ(w.stinger()->plays, 1) << "resuming after the music ended does not start it again";
    w.briefing()->end();
    EXPECT_EQ(w.stinger(), nullptr);
}

TEST(BriefingAudioPlayerTest, AFileThatCannotBeOpenedChangesNothing)
{
    PlayerWorld w;
    w.audio.broken << QStringLiteral("/c/briefing.wav");
    w.playFile();
    EXPECT_FALSE(w.player.isPlaying());
    EXPECT_EQ(w.stinger(), nullptr);
    EXPECT_FALSE(w.controls.shown);
}

TEST(BriefingAudioPlayerTest, TheSystemVoiceReadsUntilItFinishesAndAFileCutsItShort)
{
    PlayerWorld w;
    w.player.speakBriefing(
        QStringLiteral("Sunny and seventy."), QStringLiteral("Today's Briefing"), QStringLiteral("Phoenix"));
    EXPECT_EQ(w.speech.said, QStringList { QStringLiteral("Sunny and seventy.") });
    EXPECT_TRUE(w.player.isPlaying());
    ASSERT_TRUE(w.controls.shown);
    EXPECT_TRUE(w.controls.shown->liveStream);
    EXPECT_EQ(w.controls.shown->artist, QStringLiteral("Phoenix"));

    QPointer<FakeTrack> firstStinger = w.stinger();
    w.playFile();
    EXPECT_FALSE(w.speech.speaking) << "the voice stops at once";
    EXPECT_TRUE(w.player.isPlaying()) << "the voice's end does not end the file";
    EXPECT_FALSE(firstStinger);
    ASSERT_TRUE(w.stinger());
    EXPECT_TRUE(w.stinger()->playing) << "the file starts with fresh music";

    PlayerWorld spoken;
    spoken.player.speakBriefing(QStringLiteral("Rain later."), {}, {});
    spoken.speech.finishSpeaking();
    EXPECT_FALSE(spoken.player.isPlaying());
    EXPECT_FALSE(spoken.controls.shown);
}

TEST(BriefingAudioPlayerTest, ClipsAreRefusedWhileABriefingSoundsAndFallBackToTheirLines)
{
    PlayerWorld w;
    w.player.speakBriefing(QStringLiteral("Sunny."), {}, {});
    w.player.playClip(BriefingAudioPlayer::Clip::Holding);
    EXPECT_EQ(w.speech.said.size(), 1);
    w.speech.finishSpeaking();
    w.player.playClip(BriefingAudioPlayer::Clip::Holding);
    w.player.playClip(BriefingAudioPlayer::Clip::Unavailable);
    EXPECT_EQ(w.speech.said.mid(1),
        (QStringList { QStringLiteral("Just a moment — I'm pulling the latest numbers for you."),
            QStringLiteral("Sorry — I can't reach my forecast just now. Give me another try in a moment.") }));
    EXPECT_FALSE(w.player.isPlaying()) << "a line is not a briefing";
    w.speech.finishSpeaking();
    EXPECT_FALSE(w.player.isPlaying());

    FakeAudioOutput audio;
    FakeSpeechEngine speech;
    BriefingAudioPlayer withClips { audio, speech, nullptr, { {}, QStringLiteral("/a/MerrinHolding.wav"), {}, {} } };
    withClips.playClip(BriefingAudioPlayer::Clip::Holding);
    ASSERT_TRUE(audio.track(QStringLiteral("MerrinHolding.wav")));
    EXPECT_TRUE(audio.track(QStringLiteral("MerrinHolding.wav"))->playing);
    EXPECT_TRUE(speech.said.isEmpty());
}

TEST(BriefingAudioPlayerTest, MediaKeysActOnlyOnACurrentBriefing)
{
    PlayerWorld w;
    EXPECT_EQ(w.controls.installs, 0) << "installed when a briefing first starts";
    w.player.speakBriefing(QStringLiteral("Sunny."), {}, {});
    w.playFile();
    EXPECT_EQ(w.controls.installs, 1);

    EXPECT_FALSE(w.controls.handler(Command::Play)) << "already playing";
    EXPECT_TRUE(w.controls.handler(Command::Pause));
    EXPECT_FALSE(w.player.isPlaying());
    EXPECT_FALSE(w.briefing()->playing);
    EXPECT_FALSE(w.stinger()->playing);
    EXPECT_FALSE(w.controls.handler(Command::Pause));
    EXPECT_TRUE(w.controls.handler(Command::PlayPause));
    EXPECT_TRUE(w.player.isPlaying());
    EXPECT_TRUE(w.controls.shown->playing);

    EXPECT_TRUE(w.controls.handler(Command::Stop));
    EXPECT_FALSE(w.player.isPlaying());

    // The desktop's voice pauses with its music, and both go on together.
    w.player.speakBriefing(QStringLiteral("Sunny."), {}, {});
    EXPECT_TRUE(w.controls.handler(Command::PlayPause));
    EXPECT_TRUE(w.speech.paused);
    EXPECT_FALSE(w.stinger()->playing);
    EXPECT_TRUE(w.controls.handler(Command::Play));
    EXPECT_FALSE(w.speech.paused);
    EXPECT_TRUE(w.stinger()->playing);
    EXPECT_TRUE(w.controls.handler(Command::Stop));
    EXPECT_FALSE(w.player.isPlaying());
    EXPECT_FALSE(w.controls.shown);
    for (const Command command : { Command::Play, Command::Pause, Command::PlayPause }) {
        EXPECT_FALSE(w.controls.handler(command)) << "nothing loaded";
    }
    EXPECT_FALSE(w.player.isPlaying());
}

} // namespace
