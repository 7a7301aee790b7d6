// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AudioOutput.h"
#include "platform/MediaControls.h"
#include "platform/SpeechEngine.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QTimer;
class QVariantAnimation;

// The one object that makes sound: a studio-voice briefing file, or the briefing read by the
// desktop's own voice, always with the intro music under its start; the presenter's waiting and
// failure lines; and the now-playing display and media keys. It never decides what to say.
class BriefingAudioPlayer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isPlaying READ isPlaying NOTIFY isPlayingChanged)
    Q_PROPERTY(QString title READ title NOTIFY nowPlayingChanged)
    Q_PROPERTY(QString subtitle READ subtitle NOTIFY nowPlayingChanged)

public:
    enum class Clip { Holding, Unavailable };

    // Files on disk; an empty path is a missing asset.
    struct Assets
    {
        QString stinger;
        QString holding;
        QString unavailable;
        QString artwork; // the presenter's portrait, else the application icon
    };

    static constexpr double stingerVolume = 0.5;
    static constexpr int stingerFadeMs = 1500;
    static inline const QString holdingLine = QStringLiteral("Just a moment — I'm pulling the latest numbers for you.");
    static inline const QString unavailableLine =
        QStringLiteral("Sorry — I can't reach my forecast just now. Give me another try in a moment.");

    // controls may be null (no media keys).
    BriefingAudioPlayer(
        AudioOutput &output, SpeechEngine &speech, MediaControls *controls, Assets assets, QObject *parent = nullptr);
    ~BriefingAudioPlayer() override;

    void play(const QString &file, const QString &title, const QString &subtitle);
    void speakBriefing(const QString &text, const QString &title, const QString &subtitle);
    void playClip(Clip clip);
    void stop();
    void togglePlayPause();

    [[nodiscard]] bool isPlaying() const { return m_isPlaying; }
    [[nodiscard]] QString title() const { return m_title; }
    [[nodiscard]] QString subtitle() const { return m_subtitle; }
    // A briefing file or the system voice reading one is current (playing, paused or finished).
    [[nodiscard]] bool hasBriefing() const { return m_player || m_isSpeakingBriefing; }

Q_SIGNALS:
    void isPlayingChanged();
    void nowPlayingChanged();

private:
    void silenceOthers();
    void startStinger();
    void fadeOutStinger(int durationMs);
    void resumeStinger();
    void setPlaying(bool playing);
    void installMediaKeys();
    void publishNowPlaying();
    void clearNowPlaying();
    void fileFinished();
    void speechFinished(int utterance);
    bool mediaCommand(MediaControls::Command command);

    AudioOutput &m_output;
    SpeechEngine &m_speech;
    MediaControls *m_controls;
    Assets m_assets;

    bool m_isPlaying = false;
    QString m_title;
    QString m_subtitle;
    std::unique_ptr<AudioTrack> m_player;
    std::unique_ptr<AudioTrack> m_clipPlayer;
    bool m_isSpeakingBriefing = false;
    int m_briefingUtterance = 0;
    bool m_remoteCommandsConfigured = false;
    std::unique_ptr<AudioTrack> m_stinger;

    // A stinger fading out, stopped when its fade has run (destroying it cancels the stop).
    struct Fade;
    std::unique_ptr<Fade> m_stingerFade;
};
