// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scripted stand-ins for the sound server, the desktop's voice and its media controls: they record
// what the player asks of them, and the test says when a file or an utterance ends.

#include "platform/AudioOutput.h"
#include "platform/MediaControls.h"
#include "platform/SpeechEngine.h"

#include <QFileInfo>
#include <QList>
#include <QPointer>
#include <QStringList>

class FakeTrack : public AudioTrack
{
public:
    explicit FakeTrack(QString name)
        : name(std::move(name))
    { }
    void play() override
    {
        playing = true;
        ended = false;
        ++plays;
    }
    void pause() override { playing = false; }
    void stop() override
    {
        playing = false;
        stopped = true;
    }
    [[nodiscard]] bool isPlaying() const override { return playing; }
    [[nodiscard]] bool atEnd() const override { return ended; }
    [[nodiscard]] double volume() const override { return level; }
    void setVolume(double value) override { level = value; }
    [[nodiscard]] qint64 durationMs() const override { return 4000; }
    [[nodiscard]] qint64 positionMs() const override { return ended ? 4000 : 1000; }

    void end()
    {
        playing = false;
        ended = true;
        Q_EMIT finished();
    }

    QString name;
    bool playing = false;
    bool ended = false;
    bool stopped = false;
    int plays = 0;
    double level = 1.0;
};

// Opens any path that is not in `broken`; keeps a weak list of every track it made.
class FakeAudioOutput : public AudioOutput
{
public:
    std::unique_ptr<AudioTrack> open(const QString &path, QString &error) override
    {
        if (broken.contains(path)) {
            error = QStringLiteral("The file cannot be read.");
            return nullptr;
        }
        auto track = std::make_unique<FakeTrack>(QFileInfo(path).fileName());
        tracks.append(track.get());
        return track;
    }
    // The newest live track of that file name.
    FakeTrack *track(const QString &name) const
    {
        for (auto it = tracks.crbegin(); it != tracks.crend(); ++it) {
            if (*it && (*it)->name == name) {
                return it->data();
            }
        }
        return nullptr;
    }

    QStringList broken;
    QList<QPointer<FakeTrack>> tracks;
};

class FakeSpeechEngine : public SpeechEngine
{
public:
    int say(const QString &text) override
    {
        stop();
        said.append(text);
        speaking = true;
        paused = false;
        return ++utterance;
    }
    void stop() override
    {
        if (speaking) {
            speaking = false;
            Q_EMIT finished(utterance);
        }
    }
    void pause() override { paused = true; }
    void resume() override { paused = false; }
    [[nodiscard]] bool isPaused() const override { return paused; }

    void finishSpeaking()
    {
        speaking = false;
        Q_EMIT finished(utterance);
    }

    QStringList said;
    bool speaking = false;
    bool paused = false;
    int utterance = 0;
};

class FakeMediaControls : public MediaControls
{
public:
    void setHandlers(Handler h, PositionReader) override
    {
        handler = std::move(h);
        ++installs;
    }
    void publish(const NowPlayingInfo &info) override { shown = info; }
    void clear() override { shown.reset(); }

    Handler handler;
    int installs = 0;
    std::optional<NowPlayingInfo> shown;
};
