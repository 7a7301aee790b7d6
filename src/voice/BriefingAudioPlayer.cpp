// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/BriefingAudioPlayer.h"

#include "voice/Log.h"

#include <QFileInfo>
#include <QTimer>
#include <QVariantAnimation>

struct BriefingAudioPlayer::Fade
{
    std::unique_ptr<AudioTrack> stinger;
    QVariantAnimation ramp;
    QTimer stop;
};

BriefingAudioPlayer::BriefingAudioPlayer(
    AudioOutput &output, SpeechEngine &speech, MediaControls *controls, Assets assets, QObject *parent)
    : QObject(parent)
    , m_output(output)
    , m_speech(speech)
    , m_controls(controls)
    , m_assets(std::move(assets))
{
    connect(&m_speech, &SpeechEngine::finished, this, &BriefingAudioPlayer::speechFinished);
}

BriefingAudioPlayer::~BriefingAudioPlayer()
{
    disconnect(&m_speech, nullptr, this, nullptr);
}

void BriefingAudioPlayer::silenceOthers()
{
    m_isSpeakingBriefing = false;
    m_briefingUtterance = 0;
    m_speech.stop();
    m_clipPlayer.reset();
}

void BriefingAudioPlayer::play(const QString &file, const QString &title, const QString &subtitle)
{
    silenceOthers();
    QString error;
    auto track = m_output.open(file, error);
    if (!track) {
        qCWarning(voiceLog).noquote() << "[audio] could not play " + QFileInfo(file).fileName() + ": " + error;
        return;
    }
    connect(track.get(), &AudioTrack::finished, this, &BriefingAudioPlayer::fileFinished);
    connect(track.get(), &AudioTrack::durationChanged, this, &BriefingAudioPlayer::publishNowPlaying);
    // Queued: stop() lets the track go, which must not happen inside the track's own signal.
    connect(
        track.get(), &AudioTrack::failed, this,
        [this](const QString &message) {
            qCWarning(voiceLog).noquote() << "[audio] could not play the briefing:" << message;
            stop();
        },
        Qt::QueuedConnection);
    m_player = std::move(track);
    m_title = title;
    m_subtitle = subtitle;
    Q_EMIT nowPlayingChanged();
    startStinger();
    m_player->play();
    setPlaying(true);
    installMediaKeys();
    publishNowPlaying();
}

void BriefingAudioPlayer::speakBriefing(const QString &text, const QString &title, const QString &subtitle)
{
    silenceOthers();
    m_title = title;
    m_subtitle = subtitle;
    Q_EMIT nowPlayingChanged();
    m_isSpeakingBriefing = true;
    startStinger();
    m_briefingUtterance = m_speech.say(text);
    setPlaying(true);
    installMediaKeys();
    publishNowPlaying();
}

void BriefingAudioPlayer::playClip(Clip clip)
{
    if (m_isPlaying) {
        return;
    }
    const QString &path = clip == Clip::Holding ? m_assets.holding : m_assets.unavailable;
    QString error;
    auto track = path.isEmpty() ? nullptr : m_output.open(path, error);
    if (!track) {
        m_speech.say(clip == Clip::Holding ? holdingLine : unavailableLine);
        return;
    }
    m_clipPlayer = std::move(track);
    m_clipPlayer->play();
}

void BriefingAudioPlayer::stop()
{
    silenceOthers();
    m_player.reset();
    fadeOutStinger(0);
    setPlaying(false);
    clearNowPlaying();
}

void BriefingAudioPlayer::togglePlayPause()
{
    if (m_isSpeakingBriefing) {
        if (m_speech.isPaused()) {
            m_speech.resume();
            resumeStinger();
            setPlaying(true);
        } else {
            m_speech.pause();
            if (m_stinger) {
                m_stinger->pause();
            }
            setPlaying(false);
        }
    } else if (m_player) {
        if (m_player->isPlaying()) {
            m_player->pause();
            if (m_stinger) {
                m_stinger->pause();
            }
            setPlaying(false);
        } else {
            m_player->play();
            resumeStinger();
            setPlaying(true);
        }
    } else {
        return;
    }
    publishNowPlaying();
}

void BriefingAudioPlayer::startStinger()
{
    if (m_assets.stinger.isEmpty()) {
        return;
    }
    QString error;
    auto track = m_output.open(m_assets.stinger, error);
    if (!track) {
        return;
    }
    track->setVolume(stingerVolume);
    track->play();
    m_stinger = std::move(track);
}

void BriefingAudioPlayer::resumeStinger()
{
    if (m_stinger && !m_stinger->atEnd()) {
        m_stinger->play();
    }
}

void BriefingAudioPlayer::fadeOutStinger(int durationMs)
{
    m_stingerFade.reset();
    if (!m_stinger) {
        return;
    }
    if (durationMs <= 0 || !m_stinger->isPlaying()) {
        m_stinger->stop();
        m_stinger.reset();
        return;
    }
    auto fade = std::make_unique<Fade>();
    fade->stinger = std::move(m_stinger);
    AudioTrack *track = fade->stinger.get();
    fade->ramp.setStartValue(track->volume());
    fade->ramp.setEndValue(0.0);
    fade->ramp.setDuration(durationMs);
    connect(&fade->ramp, &QVariantAnimation::valueChanged, track,
        [track](const QVariant &value) { track->setVolume(value.toDouble()); });
    fade->stop.setSingleShot(true);
    connect(&fade->stop, &QTimer::timeout, this, [this] {
        m_stingerFade->stinger->stop();
        m_stingerFade.reset();
    });
    fade->ramp.start();
    fade->stop.start(durationMs);
    m_stingerFade = std::move(fade);
}

void BriefingAudioPlayer::fileFinished()
{
    fadeOutStinger(stingerFadeMs);
    setPlaying(false);
    publishNowPlaying();
}

void BriefingAudioPlayer::speechFinished(int utterance)
{
    if (!m_isSpeakingBriefing || utterance != m_briefingUtterance) {
        return;
    }
    m_isSpeakingBriefing = false;
    m_briefingUtterance = 0;
    fadeOutStinger(stingerFadeMs);
    setPlaying(false);
    clearNowPlaying();
}

void BriefingAudioPlayer::setPlaying(bool playing)
{
    if (m_isPlaying != playing) {
        m_isPlaying = playing;
        Q_EMIT isPlayingChanged();
    }
}

void BriefingAudioPlayer::installMediaKeys()
{
    if (m_remoteCommandsConfigured || !m_controls) {
        return;
    }
    m_remoteCommandsConfigured = true;
    QPointer<BriefingAudioPlayer> self(this);
    m_controls->setHandlers([self](MediaControls::Command command) { return self && self->mediaCommand(command); },
        [self]() -> std::optional<qint64> {
            if (self && self->m_player) {
                return self->m_player->positionMs();
            }
            return std::nullopt;
        });
}

bool BriefingAudioPlayer::mediaCommand(MediaControls::Command command)
{
    const bool current = hasBriefing();
    switch (command) {
    case MediaControls::Command::Play:
        if (!current || m_isPlaying) {
            return false;
        }
        break;
    case MediaControls::Command::Pause:
        if (!current || !m_isPlaying) {
            return false;
        }
        break;
    case MediaControls::Command::PlayPause:
        if (!current) {
            return false;
        }
        break;
    case MediaControls::Command::Stop:
        stop();
        return true;
    }
    togglePlayPause();
    return true;
}

void BriefingAudioPlayer::publishNowPlaying()
{
    if (!m_controls || !hasBriefing()) {
        return;
    }
    NowPlayingInfo info;
    info.title = m_title.isEmpty() ? QStringLiteral("Weather Briefing") : m_title;
    info.artist = m_subtitle.isEmpty() ? QStringLiteral("Merrin Vale") : m_subtitle;
    info.album = QStringLiteral("Merrin Vale");
    info.playing = m_isPlaying;
    info.artworkPath = m_assets.artwork;
    if (m_player) {
        info.durationMs = m_player->durationMs();
        info.positionMs = m_player->positionMs();
    } else {
        info.liveStream = true;
    }
    m_controls->publish(info);
}

void BriefingAudioPlayer::clearNowPlaying()
{
    if (m_controls) {
        m_controls->clear();
    }
}
