// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SpeechEngine.h"

#include "platform/Log.h"

#include <QLocale>
#include <QTextToSpeech>
#include <QVoice>

namespace {

// An American English voice first, then any English voice, else whatever the engine starts with.
void chooseVoice(QTextToSpeech &speech)
{
    const QList<QLocale> locales = speech.availableLocales();
    const auto pick = [&](auto accepts) {
        for (const QLocale &locale : locales) {
            if (accepts(locale)) {
                speech.setLocale(locale);
                if (const QList<QVoice> voices = speech.availableVoices(); !voices.isEmpty()) {
                    speech.setVoice(voices.first());
                }
                return true;
            }
        }
        return false;
    };
    if (pick([](const QLocale &l) {
            return l.language() == QLocale::English && l.territory() == QLocale::UnitedStates;
        })) {
        return;
    }
    pick([](const QLocale &l) { return l.language() == QLocale::English; });
}

} // namespace

SystemSpeechEngine::SystemSpeechEngine(QObject *parent)
    : SpeechEngine(parent)
{ }

SystemSpeechEngine::~SystemSpeechEngine() = default;

// Made on first use: connecting to speech-dispatcher costs time that start-up should not pay.
void SystemSpeechEngine::ensureEngine()
{
    if (m_speech) {
        return;
    }
    const bool speechd = QTextToSpeech::availableEngines().contains(QStringLiteral("speechd"));
    m_speech = speechd ? new QTextToSpeech(QStringLiteral("speechd"), this) : new QTextToSpeech(this);
    if (m_speech->state() == QTextToSpeech::Error) {
        qCWarning(platformLog).noquote() << "[audio] the system voice is not available";
    }
    chooseVoice(*m_speech);
    m_speech->setRate(rate);
    connect(m_speech, &QTextToSpeech::stateChanged, this, &SystemSpeechEngine::stateChanged);
}

int SystemSpeechEngine::say(const QString &text)
{
    ensureEngine();
    stop();
    m_speaking = true;
    m_speech->say(text);
    return ++m_utterance;
}

void SystemSpeechEngine::stop()
{
    if (!m_speech) {
        return;
    }
    m_speech->stop();
    if (m_speaking) {
        m_speaking = false;
        Q_EMIT finished(m_utterance);
    }
}

void SystemSpeechEngine::pause()
{
    if (m_speech) {
        m_speech->pause();
    }
}

void SystemSpeechEngine::resume()
{
    if (m_speech) {
        m_speech->resume();
    }
}

bool SystemSpeechEngine::isPaused() const
{
    return m_speech && m_speech->state() == QTextToSpeech::Paused;
}

void SystemSpeechEngine::stateChanged()
{
    const auto state = m_speech->state();
    if (m_speaking && (state == QTextToSpeech::Ready || state == QTextToSpeech::Error)) {
        m_speaking = false;
        Q_EMIT finished(m_utterance);
    }
}
