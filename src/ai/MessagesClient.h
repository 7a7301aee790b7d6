// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QString>

#include <QCoroTask>

#include <chrono>
#include <memory>

// The one path to the Anthropic Messages API: a POST with the user's key, retried on transient
// network failures, and a reply check that maps failures to AiError. The key travels only in
// the "x-api-key" header and never appears in an error message.
class MessagesClient
{
public:
    struct Timing
    {
        std::chrono::milliseconds requestTimeout { std::chrono::seconds(180) };
        std::chrono::milliseconds firstRetryWait { std::chrono::seconds(1) };
    };

    explicit MessagesClient(QString baseUrl);
    MessagesClient(QString baseUrl, Timing timing);
    // Over a network of the caller's making (the demo answers from its recording); null makes
    // one of its own.
    MessagesClient(QString baseUrl, std::unique_ptr<QNetworkAccessManager> network);

    // Sends the body; returns the reply's top-level object on a 2xx status. Throws JsonError
    // for a body that is not JSON (whatever the status), HttpError::badResponse for JSON that
    // is not an object, AiError::api for other statuses, NetworkError for transport failures
    // (after two retries of the transient ones, 1 s then 2 s apart).
    [[nodiscard]] QCoro::Task<QJsonObject> send(QJsonObject body, QString apiKey);

    // The reply's text blocks joined in order (tool blocks skipped), trimmed.
    [[nodiscard]] static QString replyText(const QJsonObject &reply);

private:
    MessagesClient(QString baseUrl, Timing timing, std::unique_ptr<QNetworkAccessManager> network);

    QString m_baseUrl;
    Timing m_timing;
    std::unique_ptr<QNetworkAccessManager> m_network; // its own session: no disk cache, no cookies
};
