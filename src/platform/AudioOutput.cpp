// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AudioOutput.h"

#include <QAudioOutput>
#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace {

class MediaTrack : public AudioTrack
{
public:
    explicit MediaTrack(const QString &path)
    {
        m_player.setAudioOutput(&m_output);
        m_player.setSource(QUrl::fromLocalFile(path));
        connect(&m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
            if (status == QMediaPlayer::EndOfMedia) {
                m_atEnd = true;
                Q_EMIT finished();
            }
        });
        connect(&m_player, &QMediaPlayer::durationChanged, this, &AudioTrack::durationChanged);
        connect(&m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString &message) { Q_EMIT failed(message); });
    }

    void play() override
    {
        m_atEnd = false;
        m_player.play();
    }
    void pause() override { m_player.pause(); }
    void stop() override { m_player.stop(); }
    [[nodiscard]] bool isPlaying() const override { return m_player.playbackState() == QMediaPlayer::PlayingState; }
    [[nodiscard]] bool atEnd() const override { return m_atEnd; }
    [[nodiscard]] double volume() const override { return m_output.volume(); }
    void setVolume(double volume) override { m_output.setVolume(float(volume)); }
    [[nodiscard]] qint64 durationMs() const override { return m_player.duration(); }
    [[nodiscard]] qint64 positionMs() const override { return m_atEnd ? m_player.duration() : m_player.position(); }

private:
    QAudioOutput m_output;
    QMediaPlayer m_player;
    bool m_atEnd = false;
};

} // namespace

std::unique_ptr<AudioTrack> MediaAudioOutput::open(const QString &path, QString &error)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        error = QStringLiteral("The file does not exist.");
        return nullptr;
    }
    if (QFile file(path); !file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return nullptr;
    }
    return std::make_unique<MediaTrack>(path);
}
