// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/SpokenBriefing.h"

#include "net/AppError.h"
#include "net/Clock.h"
#include "net/Detached.h"
#include "text/DateText.h"
#include "voice/BriefingAudioPlayer.h"
#include "voice/BriefingSource.h"
#include "voice/GoogleTtsService.h"
#include "voice/Log.h"
#include "voice/SpeechScript.h"
#include "voice/TtsError.h"

#include <QCoroSignal>

#include <exception>

namespace {

class Settled : public QObject
{
    Q_OBJECT

Q_SIGNALS:
    void done();
};

QString describeStored(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (...) {
        return describeCurrentException();
    }
}

// What waiters of a preparation get when stop() cancelled it: they end without a sound.
struct PreparationCancelled
{
};

} // namespace

// The one synthesis in flight, shared by every caller that wants audio while it runs.
struct SpokenBriefing::Preparation
{
    Settled settled;
    bool finished = false;
    bool cancelled = false;
    QString file;
    std::exception_ptr error;
};

namespace {

QCoro::Task<QString> outcome(std::shared_ptr<SpokenBriefing::Preparation> preparation);

} // namespace

SpokenBriefing::SpokenBriefing(BriefingSource &source, GoogleTtsService &tts, BriefingAudioPlayer &player,
    KeyReader readKey, const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_source(source)
    , m_tts(tts)
    , m_player(player)
    , m_readKey(std::move(readKey))
    , m_clock(clock)
{ }

SpokenBriefing::~SpokenBriefing() = default;

std::optional<QString> SpokenBriefing::currentScript() const
{
    const auto text = m_source.currentBriefingText();
    const auto place = m_source.briefingPlace();
    if (!text || text->isEmpty() || !place) {
        return std::nullopt;
    }
    const QTimeZone zone = text::zoneOrSystem(place->timezone);
    const QDateTime now = m_clock.now();
    const QString weekday = text::formatDate(now, QStringLiteral("EEEE"), zone);
    const int hour = text::formatDate(now, QStringLiteral("H"), zone).toInt();
    return voice::buildScript(*text, place->name, weekday, hour, true);
}

void SpokenBriefing::setStatus(Status status, QString failure)
{
    if (m_status == status && m_failure == failure) {
        return;
    }
    m_status = status;
    m_failure = std::move(failure);
    Q_EMIT statusChanged();
}

namespace {

QCoro::Task<QString> outcome(std::shared_ptr<SpokenBriefing::Preparation> preparation)
{
    if (!preparation->finished) {
        co_await qCoro(&preparation->settled, &Settled::done);
    }
    if (preparation->cancelled) {
        throw PreparationCancelled {};
    }
    if (preparation->error) {
        std::rethrow_exception(preparation->error);
    }
    QString file = preparation->file;
    co_return file;
}

} // namespace

QCoro::Task<> SpokenBriefing::synthesizeOnce(
    std::shared_ptr<Preparation> preparation, QString script, std::optional<QString> key)
{
    try {
        preparation->file = co_await m_tts.synthesize(script, voiceName, key);
    } catch (...) {
        preparation->error = std::current_exception();
    }
    preparation->finished = true;
    if (!preparation->cancelled) {
        if (preparation->error) {
            setStatus(Status::Failed, describeStored(preparation->error));
        } else {
            m_preparedScript = script;
            if (m_status != Status::Playing) {
                setStatus(Status::Ready);
            }
        }
    }
    if (m_prepareTask == preparation) {
        m_prepareTask.reset();
    }
    Q_EMIT preparation->settled.done();
}

QCoro::Task<QString> SpokenBriefing::prepareAudio()
{
    if (m_prepareTask) {
        co_return co_await outcome(m_prepareTask);
    }
    if (!m_source.hasForecast() || !m_source.currentBriefingText()) {
        co_await m_source.refreshIfStale();
    }
    const std::optional<QString> script = currentScript();
    if (!script || script->isEmpty()) {
        throw TtsError::emptyText();
    }
    const std::optional<QString> key = co_await m_readKey();
    if (m_prepareTask) { // another caller started while the key was read
        co_return co_await outcome(m_prepareTask);
    }
    auto preparation = std::make_shared<Preparation>();
    m_prepareTask = preparation;
    net::startDetached(synthesizeOnce(preparation, *script, key), QStringLiteral("voice preparation"));
    if (!preparation->finished && m_status != Status::Playing) {
        setStatus(Status::Preparing);
    }
    co_return co_await outcome(preparation);
}

QCoro::Task<bool> SpokenBriefing::prewarm()
{
    const std::optional<QString> key = co_await m_readKey();
    if (!key) {
        co_return true;
    }
    try {
        co_await prepareAudio();
        co_return true;
    } catch (const PreparationCancelled &) {
        co_return false;
    } catch (...) {
        qCWarning(voiceLog).noquote() << "[voice] pre-warm failed: " + describeCurrentException();
        co_return false;
    }
}

QCoro::Task<> SpokenBriefing::play()
{
    const std::optional<QString> place = [this]() -> std::optional<QString> {
        if (const auto p = m_source.briefingPlace()) {
            return p->name;
        }
        return std::nullopt;
    }();
    const QString subtitle = place.value_or(QStringLiteral("Merrin Vale"));

    std::optional<QString> script;
    if (m_source.hasForecast() && m_source.currentBriefingText()) {
        script = currentScript();
    } else {
        setStatus(Status::Preparing);
        co_await m_source.refreshIfStale();
        script = currentScript();
    }
    if (!script || script->isEmpty()) {
        setStatus(Status::Failed, TtsError::emptyText().description());
        m_player.playClip(BriefingAudioPlayer::Clip::Unavailable);
        co_return;
    }

    const std::optional<QString> key = co_await m_readKey();
    if (!key) {
        setStatus(Status::Playing);
        m_player.speakBriefing(*script, nowPlayingTitle, subtitle);
        co_return;
    }

    const std::optional<QString> now = currentScript();
    if (!now || !m_tts.isCached(*now, voiceName)) {
        m_player.playClip(BriefingAudioPlayer::Clip::Holding);
    }
    try {
        const QString file = co_await prepareAudio();
        setStatus(Status::Playing);
        m_player.play(file, nowPlayingTitle, subtitle);
    } catch (const PreparationCancelled &) {
        // stop() was pressed while the audio was being made: stay silent.
    } catch (...) {
        qCWarning(voiceLog).noquote() << "[voice] falling back to the system voice: " + describeCurrentException();
        setStatus(Status::Playing);
        m_player.speakBriefing(*script, nowPlayingTitle, subtitle);
    }
}

void SpokenBriefing::listen()
{
    net::startDetached(play(), QStringLiteral("listen"));
}

void SpokenBriefing::stop()
{
    m_player.stop();
    if (m_prepareTask) {
        m_prepareTask->cancelled = true;
        m_prepareTask.reset();
    }
    setStatus(m_preparedScript == currentScript() ? Status::Ready : Status::Idle);
}

#include "SpokenBriefing.moc"
