// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <QCoroTask>

#include <chrono>
#include <memory>
#include <optional>

class Clock;
class QNetworkAccessManager;

// The studio voice: turns a spoken script into a WAV file with Google's Gemini speech models and
// keeps every file in a cache folder, so the same script in the same voice is made only once.
// Calls run one at a time; a second call for a script being made waits and then finds its file.
class GoogleTtsService
{
public:
    // The models tried in order; a 400 or 404 from one moves on to the next.
    static const QStringList models;
    // The reading direction sent before every script (and part of every cache file's name).
    static const QString styleDirection;
    static constexpr int defaultSampleRate = 24000;
    static constexpr qint64 maxCacheAge = 604800; // seconds
    static constexpr std::chrono::milliseconds requestTimeout { 60'000 };

    // baseUrl: the Gemini API (Endpoints::gemini). cacheDirectory: the user's caches folder
    // (QStandardPaths::CacheLocation when empty); files go to its "MerrinValeVoice" folder.
    // timeout: each model request's.
    GoogleTtsService(QString baseUrl, const Clock &clock, QString cacheDirectory = {},
        std::unique_ptr<QNetworkAccessManager> network = nullptr, std::chrono::milliseconds timeout = requestTimeout);
    ~GoogleTtsService();
    GoogleTtsService(const GoogleTtsService &) = delete;
    GoogleTtsService &operator=(const GoogleTtsService &) = delete;

    // The path of the script's WAV file, from the cache or newly made. Throws TtsError, a
    // network, HTTP or JSON error, or an AppError when the file cannot be written.
    [[nodiscard]] QCoro::Task<QString> synthesize(QString text, QString voice, std::optional<QString> apiKey);
    // Whether the (trimmed, non-empty) script already has a file, whatever its age.
    [[nodiscard]] bool isCached(const QString &text, const QString &voice) const;
    // The file path for a script and voice (creates the cache folder). Named cacheURL after the
    // file location it gives.
    [[nodiscard]] QString cacheURL(const QString &text, const QString &voice) const;

    // The sample rate a MIME type names ("audio/L16;codec=pcm;rate=22050"), or defaultSampleRate.
    [[nodiscard]] static qint64 sampleRate(const QString &mimeType);

private:
    class Gate;
    QCoro::Task<QByteArray> requestAudio(QString model, QString text, QString voice, QString apiKey);
    QCoro::Task<QByteArray> audioFromModels(QString text, QString voice, QString apiKey);
    void prune() const;

    QString m_baseUrl;
    const Clock &m_clock;
    QString m_folder;
    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<Gate> m_gate;
    std::chrono::milliseconds m_timeout;
};
