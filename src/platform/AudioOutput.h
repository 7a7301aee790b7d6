// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <memory>

// One audio file, opened for playing. Created by an AudioOutput; the sound stops when it is
// destroyed. The production one is Qt Multimedia's player; tests use a scripted one.
class AudioTrack : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~AudioTrack() override = default;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    [[nodiscard]] virtual bool isPlaying() const = 0;
    // Whether the file has played to its end (and has not been started again since).
    [[nodiscard]] virtual bool atEnd() const = 0;
    // 0 (silent) to 1 (full).
    [[nodiscard]] virtual double volume() const = 0;
    virtual void setVolume(double volume) = 0;
    // Milliseconds; 0 while unknown.
    [[nodiscard]] virtual qint64 durationMs() const = 0;
    [[nodiscard]] virtual qint64 positionMs() const = 0;

Q_SIGNALS:
    // Played to its end.
    void finished();
    // durationMs() has become known.
    void durationChanged();
    // The file could not be decoded or played; error says why.
    void failed(const QString &error);
};

// Opens audio files.
class AudioOutput
{
public:
    virtual ~AudioOutput() = default;
    // The track, or nothing with error set to why the file cannot be played.
    [[nodiscard]] virtual std::unique_ptr<AudioTrack> open(const QString &path, QString &error) = 0;
};

// Qt Multimedia: one QMediaPlayer and QAudioOutput per track, on the desktop's sound server.
class MediaAudioOutput : public AudioOutput
{
public:
    [[nodiscard]] std::unique_ptr<AudioTrack> open(const QString &path, QString &error) override;
};
