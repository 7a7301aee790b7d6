// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <QCoroTask>

#include <functional>
#include <memory>
#include <optional>

class BriefingAudioPlayer;
class BriefingSource;
class Clock;
class GoogleTtsService;

// Decides how the current briefing is heard: the studio voice when a Google key is saved (made
// ahead of time when asked to), otherwise, or when the studio voice fails, the desktop's own
// voice. Publishes one status for the Listen button. Lives on the main thread.
class SpokenBriefing : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Status status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString failureMessage READ failureMessage NOTIFY statusChanged)
    Q_PROPERTY(bool preparing READ preparing NOTIFY statusChanged)

public:
    enum class Status { Idle, Preparing, Ready, Playing, Failed };
    Q_ENUM(Status)

    static inline const QString voiceName = QStringLiteral("Aoede");
    static inline const QString nowPlayingTitle = QStringLiteral("Today's Briefing");

    // Reads the Google key freshly each time it is needed; nothing when none is saved.
    using KeyReader = std::function<QCoro::Task<std::optional<QString>>()>;

    SpokenBriefing(BriefingSource &source, GoogleTtsService &tts, BriefingAudioPlayer &player, KeyReader readKey,
        const Clock &clock, QObject *parent = nullptr);
    ~SpokenBriefing() override;

    // Makes the studio-voice audio for the current script when a Google key is saved. False when
    // that failed (the status then says why).
    QCoro::Task<bool> prewarm();
    // Speaks the current briefing by the best means available.
    QCoro::Task<> play();
    // Stops the sound and any preparation in flight.
    Q_INVOKABLE void stop();
    // play() for QML, which cannot await.
    Q_INVOKABLE void listen();

    [[nodiscard]] Status status() const { return m_status; }
    // The message of the Failed status, empty otherwise.
    [[nodiscard]] QString failureMessage() const { return m_failure; }
    [[nodiscard]] bool preparing() const { return m_status == Status::Preparing; }
    // The script the briefing would be read from now, if there is one.
    [[nodiscard]] std::optional<QString> currentScript() const;

Q_SIGNALS:
    void statusChanged();

public:
    struct Preparation;

private:
    QCoro::Task<QString> prepareAudio();
    QCoro::Task<> synthesizeOnce(std::shared_ptr<Preparation> preparation, QString script, std::optional<QString> key);
    void setStatus(Status status, QString failure = {});

    BriefingSource &m_source;
    GoogleTtsService &m_tts;
    BriefingAudioPlayer &m_player;
    KeyReader m_readKey;
    const Clock &m_clock;
    Status m_status = Status::Idle;
    QString m_failure;
    std::shared_ptr<Preparation> m_prepareTask;
    std::optional<QString> m_preparedScript;
};
