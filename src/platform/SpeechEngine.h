// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QTextToSpeech;

// The desktop's own speech synthesiser. One utterance at a time: saying something new or
// stopping ends the one before.
class SpeechEngine : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~SpeechEngine() override = default;

    // Starts reading the text and returns the utterance's number.
    virtual int say(const QString &text) = 0;
    virtual void stop() = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    [[nodiscard]] virtual bool isPaused() const = 0;

Q_SIGNALS:
    // The utterance was read to its end or cut short.
    void finished(int utterance);
};

// Qt TextToSpeech on speech-dispatcher, which follows the desktop's own speech settings. The
// voice is chosen once: an American English voice, else any English voice, else the engine's
// default; every utterance is read slightly slower than the engine's normal rate.
class SystemSpeechEngine : public SpeechEngine
{
    Q_OBJECT

public:
    static constexpr double rate = -0.05; // 0.95 of normal on Qt's -1…1 scale, where 0 is normal

    explicit SystemSpeechEngine(QObject *parent = nullptr);
    ~SystemSpeechEngine() override;

    int say(const QString &text) override;
    void stop() override;
    void pause() override;
    void resume() override;
    [[nodiscard]] bool isPaused() const override;

private:
    void ensureEngine();
    void stateChanged();

    QTextToSpeech *m_speech = nullptr;
    int m_utterance = 0;
    bool m_speaking = false;
};
