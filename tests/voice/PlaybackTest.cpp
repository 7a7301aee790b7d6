// SPDX-License-Identifier: GPL-3.0-or-later
// The player on the real sound stack: Qt Multimedia and GStreamer playing into a PulseAudio null
// sink started for the test, and the MPRIS player on the test's private session bus.
#include "voice/BriefingAudioPlayer.h"
#include "voice/WavWriter.h"

#include "Await.h"
#include "FakeAudio.h"
#include "TestOutput.h"
#include "platform/AudioOutput.h"
#include "platform/MprisPublisher.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// A sound server of the test's own with one silent output, so playback runs its real course.
class NullSink
{
public:
    NullSink()
    {
        const QString socket = m_folder.filePath(QStringLiteral("native"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), m_folder.path());
        m_server.setProcessEnvironment(environment);
        m_server.start(QStringLiteral("pulseaudio"),
            { QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"), QStringLiteral("-n"),
                QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + socket,
                QStringLiteral("--load=module-null-sink sink_name=nullsink"),
                QStringLiteral("--load=module-always-sink") });
        m_ready = m_server.waitForStarted() && test_support::spinUntil([&] { return QFile::exists(socket); }, 10s);
        qputenv("PULSE_SERVER", QByteArrayLiteral("unix:") + socket.toUtf8());
    }
    ~NullSink()
    {
        m_server.terminate();
        m_server.waitForFinished(3000);
        test_support::recordProcess(m_server.program(), m_server.arguments(), m_server.readAllStandardOutput(),
            m_server.readAllStandardError());
    }
    [[nodiscard]] bool ready() const { return m_ready; }

private:
    test_support::TempDir m_folder;
    QProcess m_server;
    bool m_ready = false;
};

QString writeBriefingWav(const QString &folder)
{
    // Eight tenths of a second of a quiet tone.
    QByteArray pcm;
    for (int i = 0; i < 19200; ++i) {
        const qint16 sample = qint16((i / 20) % 2 ? 800 : -800);
        pcm.append(reinterpret_cast<const char *>(&sample), 2);
    }
    const QString path = folder + QStringLiteral("/briefing.wav");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(voice::wavFromPcm(pcm, 24000).value_or(QByteArray())) <= 44) {
        return {};
    }
    return path;
}

QDBusPendingCall callPlayer(const QDBusConnection &client, const QString &method)
{
    return client.asyncCall(QDBusMessage::createMethodCall(MprisPublisher::kServiceName, MprisPublisher::kObjectPath,
        QStringLiteral("org.mpris.MediaPlayer2.Player"), method));
}

QVariant property(const QDBusConnection &client, const QString &name)
{
    QDBusPendingCall call =
        client.asyncCall(QDBusMessage::createMethodCall(MprisPublisher::kServiceName, MprisPublisher::kObjectPath,
                             QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"))
            << QStringLiteral("org.mpris.MediaPlayer2.Player") << name);
    test_support::spinUntil([&] { return call.isFinished(); });
    return QDBusPendingReply<QDBusVariant>(call).value().variant();
}

TEST(PlaybackTest, ARealBriefingPlaysWithTheMusicAndEndsOnItsOwn)
{
    NullSink sink;
    ASSERT_TRUE(sink.ready()) << "pulseaudio did not start";
    test_support::TempDir folder;
    const QString briefing = writeBriefingWav(folder.path());
    ASSERT_FALSE(briefing.isEmpty());

    MediaAudioOutput audio;
    FakeSpeechEngine speech;
    BriefingAudioPlayer player { audio, speech, nullptr,
        { QStringLiteral(MERRIN_SOURCE_DIR "/resources/audio/MerrinIntroStinger.mp3"), {}, {}, {} } };
    QList<bool> changes;
    QObject::connect(&player, &BriefingAudioPlayer::isPlayingChanged, [&] { changes.append(player.isPlaying()); });

    player.play(briefing, QStringLiteral("Today's Briefing"), QStringLiteral("Phoenix"));
    EXPECT_TRUE(player.isPlaying());
    EXPECT_TRUE(test_support::spinUntil([&] { return !player.isPlaying(); }, 15s)) << "the briefing never ended";
    EXPECT_EQ(changes, (QList<bool> { true, false }));
    EXPECT_TRUE(player.hasBriefing()) << "a finished file stays current";

    // A file that is not audio ends the briefing instead of hanging.
    QFile junk(folder.filePath(QStringLiteral("junk.wav")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not audio at all");
    junk.close();
    player.play(junk.fileName(), {}, {});
    EXPECT_TRUE(test_support::spinUntil([&] { return !player.isPlaying() && !player.hasBriefing(); }, 15s));
}

TEST(PlaybackTest, TheDesktopSeesTheBriefingOverMprisAndCanPauseIt)
{
    FakeAudioOutput audio;
    FakeSpeechEngine speech;
    MprisPublisher mpris(QStringLiteral("org.merrinvale.MerrinVale"));
    BriefingAudioPlayer player { audio, speech, &mpris, { {}, {}, {}, QStringLiteral("/tmp/merrinavatar.png") } };
    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("mpris-client"));
    ASSERT_TRUE(client.isConnected());

    player.play(QStringLiteral("/c/briefing.wav"), QStringLiteral("Today's Briefing"), QStringLiteral("Phoenix"));
    const QVariantMap metadata = qdbus_cast<QVariantMap>(property(client, QStringLiteral("Metadata")));
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("Today's Briefing"));
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:artist")).toStringList(), QStringList { QStringLiteral("Phoenix") });
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:album")).toString(), QStringLiteral("Merrin Vale"));
    EXPECT_EQ(metadata.value(QStringLiteral("mpris:length")).toLongLong(), 4'000'000);
    EXPECT_EQ(
        metadata.value(QStringLiteral("mpris:artUrl")).toString(), QStringLiteral("file:///tmp/merrinavatar.png"));
    EXPECT_EQ(property(client, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"));
    EXPECT_FALSE(property(client, QStringLiteral("CanGoNext")).toBool());
    EXPECT_FALSE(property(client, QStringLiteral("CanSeek")).toBool());

    QDBusPendingCall pause = callPlayer(client, QStringLiteral("PlayPause"));
    test_support::spinUntil([&] { return pause.isFinished(); });
    EXPECT_FALSE(pause.isError()) << pause.error().message().toStdString();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(property(client, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Paused"));

    player.stop();
    EXPECT_EQ(property(client, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));
    QDBusPendingCall nothing = callPlayer(client, QStringLiteral("PlayPause"));
    test_support::spinUntil([&] { return nothing.isFinished(); });
    EXPECT_TRUE(nothing.isError()) << "nothing to act on is reported as a failure";
    QDBusConnection::disconnectFromBus(QStringLiteral("mpris-client"));
}

} // namespace
