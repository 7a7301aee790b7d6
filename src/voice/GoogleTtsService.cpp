// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/GoogleTtsService.h"

#include "net/AppError.h"
#include "net/Clock.h"
#include "net/Endpoints.h"
#include "net/HttpClient.h"
#include "net/JsonReaders.h"
#include "text/Trim.h"
#include "voice/Log.h"
#include "voice/TtsError.h"
#include "voice/WavWriter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QSaveFile>
#include <QStandardPaths>

#include <QCoroSignal>

namespace {

constexpr int kSessionTimeoutMs = 90'000;

// Keeps no cookies at all.
class NoCookies : public QNetworkCookieJar
{
public:
    using QNetworkCookieJar::QNetworkCookieJar;
    QList<QNetworkCookie> cookiesForUrl(const QUrl &) const override { return {}; }
    bool setCookiesFromUrl(const QList<QNetworkCookie> &, const QUrl &) override { return false; }
};

// A server that echoes the key back must not put it on screen.
QString withoutKey(QString message, const QString &apiKey)
{
    if (!apiKey.isEmpty()) {
        message.replace(apiKey, QStringLiteral("[key]"));
    }
    return message;
}

} // namespace

// Lets one call in at a time; the others wait for release() and try again.
class GoogleTtsService::Gate : public QObject
{
    Q_OBJECT

public:
    bool busy = false;
    void release()
    {
        busy = false;
        // Queued, so that a waiter never resumes from inside the finishing call's own clean-up.
        QMetaObject::invokeMethod(this, &Gate::released, Qt::QueuedConnection);
    }

Q_SIGNALS:
    void released();
};

const QStringList GoogleTtsService::models { QStringLiteral("gemini-3.1-flash-tts-preview"),
    QStringLiteral("gemini-2.5-flash-preview-tts") };

const QString GoogleTtsService::styleDirection = QStringLiteral(
    "Style: Newscaster\nPace: Natural\n\nRead the following as Merrin Vale — a warm and confident television "
    "meteorologist presenting the forecast to one listener. Polished and clear the way a broadcast is, but "
    "personable rather than clipped: you are talking to someone, not reading a bulletin at them. Land clearly on "
    "the numbers; the temperatures and times are what the listener is waiting for. Let sentences settle at the end "
    "rather than racing on");

GoogleTtsService::GoogleTtsService(QString baseUrl, const Clock &clock, QString cacheDirectory,
    std::unique_ptr<QNetworkAccessManager> network, std::chrono::milliseconds timeout)
    : m_baseUrl(std::move(baseUrl))
    , m_clock(clock)
    , m_network(network ? std::move(network) : std::make_unique<QNetworkAccessManager>())
    , m_gate(std::make_unique<Gate>())
    , m_timeout(timeout)
{
    if (cacheDirectory.isEmpty()) {
        cacheDirectory = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    }
    m_folder = QDir(cacheDirectory).filePath(QStringLiteral("MerrinValeVoice"));
    // Nothing of a request is kept: no cookies, no disk cache. The key never follows a redirect.
    m_network->setCookieJar(new NoCookies(m_network.get()));
    m_network->setCache(nullptr);
    m_network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    m_network->setTransferTimeout(kSessionTimeoutMs);
}

GoogleTtsService::~GoogleTtsService() = default;

QString GoogleTtsService::cacheURL(const QString &text, const QString &voice) const
{
    QDir().mkpath(m_folder);
    const QByteArray digest = QCryptographicHash::hash(
        (voice + QLatin1Char('\n') + styleDirection + QLatin1Char('\n') + text).toUtf8(), QCryptographicHash::Sha256);
    return QDir(m_folder).filePath(QString::fromLatin1(digest.toHex()) + QStringLiteral(".wav"));
}

bool GoogleTtsService::isCached(const QString &text, const QString &voice) const
{
    const QString trimmed = text::trimmedWhitespaceAndNewlines(text);
    return !trimmed.isEmpty() && QFileInfo::exists(cacheURL(trimmed, voice));
}

qint64 GoogleTtsService::sampleRate(const QString &mimeType)
{
    const QStringList pieces = mimeType.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &piece : pieces) {
        const qsizetype equals = piece.indexOf(QLatin1Char('='));
        if (equals < 0) {
            continue;
        }
        const auto trimmedSpaces = [](QString part) {
            while (part.startsWith(QLatin1Char(' '))) {
                part.remove(0, 1);
            }
            while (part.endsWith(QLatin1Char(' '))) {
                part.chop(1);
            }
            return part;
        };
        bool ok = false;
        const qint64 rate = trimmedSpaces(piece.sliced(equals + 1)).toLongLong(&ok);
        if (trimmedSpaces(piece.first(equals)) == QLatin1StringView("rate") && ok) {
            return rate;
        }
    }
    return defaultSampleRate;
}

QCoro::Task<QString> GoogleTtsService::synthesize(QString text, QString voice, std::optional<QString> apiKey)
{
    const QString script = text::trimmedWhitespaceAndNewlines(text);
    if (script.isEmpty()) {
        throw TtsError::emptyText();
    }
    if (!apiKey || apiKey->isEmpty()) {
        throw TtsError::noApiKey();
    }
    while (m_gate->busy) {
        co_await qCoro(m_gate.get(), &Gate::released);
    }
    m_gate->busy = true;
    struct Release
    {
        Gate *gate;
        ~Release() { gate->release(); }
    } release { m_gate.get() };

    const QString path = cacheURL(script, voice);
    if (QFileInfo::exists(path)) {
        co_return path;
    }
    const QByteArray wav = co_await audioFromModels(script, voice, *apiKey);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(wav) != wav.size() || !file.commit()) {
        throw AppError(QStringLiteral("Could not save the audio: ") + file.errorString());
    }
    prune();
    co_return path;
}

QCoro::Task<QByteArray> GoogleTtsService::audioFromModels(QString text, QString voice, QString apiKey)
{
    std::optional<TtsError> last = TtsError::malformedAudio();
    for (const QString &model : models) {
        try {
            co_return co_await requestAudio(model, text, voice, apiKey);
        } catch (const TtsError &error) {
            if (error.kind() != TtsError::Kind::Api || (error.status() != 400 && error.status() != 404)) {
                throw;
            }
            qCInfo(voiceLog).noquote() << "[voice]" << model << "is unavailable:" << error.description();
            last = error;
        }
    }
    throw *last;
}

QCoro::Task<QByteArray> GoogleTtsService::requestAudio(QString model, QString text, QString voice, QString apiKey)
{
    const QUrl url =
        Endpoints::url(m_baseUrl, QStringLiteral("/v1beta/models/") + model + QStringLiteral(":generateContent"));
    const QJsonObject part { { QStringLiteral("text"), styleDirection + QStringLiteral(":\n\n") + text } };
    const QJsonObject content { { QStringLiteral("parts"), QJsonArray { part } } };
    const QJsonObject speechConfig { { QStringLiteral("voiceConfig"),
        QJsonObject {
            { QStringLiteral("prebuiltVoiceConfig"), QJsonObject { { QStringLiteral("voiceName"), voice } } } } } };
    const QJsonObject body { { QStringLiteral("contents"), QJsonArray { content } },
        { QStringLiteral("generationConfig"),
            QJsonObject { { QStringLiteral("responseModalities"), QJsonArray { QStringLiteral("AUDIO") } },
                { QStringLiteral("speechConfig"), speechConfig } } } };
    // A key that would break its header line is never sent.
    if (const auto problem = text::apiKeyProblem(apiKey)) {
        throw AppError(*problem);
    }
    const HeaderMap headers { { "Content-Type", "application/json" }, { "x-goog-api-key", apiKey.toUtf8() } };

    net::HttpReply reply;
    try {
        reply = co_await net::send(*m_network, QByteArrayLiteral("POST"), url, headers,
            QJsonDocument(body).toJson(QJsonDocument::Compact), m_timeout);
    } catch (const NetworkError &error) {
        throw NetworkError(error.code(), withoutKey(error.description(), apiKey));
    }
    const QJsonValue parsed = json::parse(reply.body);
    if (!parsed.isObject()) {
        throw HttpError::badResponse();
    }
    const QJsonObject object = parsed.toObject();
    if (reply.status < 200 || reply.status > 299) {
        QString message = QStringLiteral("HTTP %1").arg(reply.status);
        if (const auto error = json::object(object, QLatin1StringView("error"))) {
            if (const auto text = json::text(*error, QLatin1StringView("message"))) {
                message = text::singleLine(*text);
            }
        }
        throw TtsError::api(reply.status, withoutKey(message, apiKey));
    }

    const QJsonObject inlineData = object.value(QLatin1StringView("candidates"))
                                       .toArray()
                                       .at(0)
                                       .toObject()
                                       .value(QLatin1StringView("content"))
                                       .toObject()
                                       .value(QLatin1StringView("parts"))
                                       .toArray()
                                       .at(0)
                                       .toObject()
                                       .value(QLatin1StringView("inlineData"))
                                       .toObject();
    const QJsonValue data = inlineData.value(QLatin1StringView("data"));
    if (!data.isString()) {
        throw TtsError::malformedAudio();
    }
    const auto decoded =
        QByteArray::fromBase64Encoding(data.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty()) {
        throw TtsError::malformedAudio();
    }
    const auto wav =
        voice::wavFromPcm(decoded.decoded, sampleRate(inlineData.value(QLatin1StringView("mimeType")).toString()));
    if (!wav) {
        throw TtsError::malformedAudio();
    }
    co_return *wav;
}

void GoogleTtsService::prune() const
{
    const QDateTime cutoff = m_clock.now().addSecs(-maxCacheAge);
    const QFileInfoList entries = QDir(m_folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QDateTime modified = entry.lastModified();
        if (modified.isValid() && modified < cutoff) {
            QFile::remove(entry.filePath());
        }
    }
}

#include "GoogleTtsService.moc"
