// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/MessagesClient.h"

#include "ai/AiError.h"
#include "ai/Log.h"
#include "net/AppError.h"
#include "net/Endpoints.h"
#include "net/HttpClient.h"
#include "net/JsonReaders.h"
#include "net/PendingWaits.h"
#include "text/Trim.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkCookie>
#include <QNetworkCookieJar>

#include <algorithm>

namespace {

// Keeps no cookies at all.
class NoCookies : public QNetworkCookieJar
{
public:
    using QNetworkCookieJar::QNetworkCookieJar;
    QList<QNetworkCookie> cookiesForUrl(const QUrl &) const override { return {}; }
    bool setCookiesFromUrl(const QList<QNetworkCookie> &, const QUrl &) override { return false; }
};

bool isTransient(const NetworkError &error)
{
    switch (error.code()) {
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::SslHandshakeFailedError:
        return true;
    default:
        return false;
    }
}

// A server that echoes the key back must not put it on screen.
QString withoutKey(QString message, const QString &apiKey)
{
    if (!apiKey.isEmpty()) {
        message.replace(apiKey, QStringLiteral("[key]"));
    }
    return message;
}

} // namespace

MessagesClient::MessagesClient(QString baseUrl)
    : MessagesClient(std::move(baseUrl), Timing {})
{ }

MessagesClient::MessagesClient(QString baseUrl, Timing timing)
    : MessagesClient(std::move(baseUrl), timing, nullptr)
{ }

MessagesClient::MessagesClient(QString baseUrl, std::unique_ptr<QNetworkAccessManager> network)
    : MessagesClient(std::move(baseUrl), Timing {}, std::move(network))
{ }

MessagesClient::MessagesClient(QString baseUrl, Timing timing, std::unique_ptr<QNetworkAccessManager> network)
    : m_baseUrl(std::move(baseUrl))
    , m_timing(timing)
    , m_network(network ? std::move(network) : std::make_unique<QNetworkAccessManager>())
{
    m_network->setCookieJar(new NoCookies(m_network.get()));
    m_network->setCache(nullptr);
}

QCoro::Task<QJsonObject> MessagesClient::send(QJsonObject body, QString apiKey)
{
    const QUrl url = Endpoints::url(m_baseUrl, QStringLiteral("/v1/messages"));
    const QByteArray payload = QJsonDocument(body).toJson(QJsonDocument::Compact);
    // A key that would break its header line is never sent.
    if (const auto problem = text::apiKeyProblem(apiKey)) {
        throw AppError(*problem);
    }
    const HeaderMap headers { { "x-api-key", apiKey.toUtf8() }, { "anthropic-version", "2023-06-01" },
        { "Content-Type", "application/json" } };

    net::HttpReply reply;
    for (int attempt = 0;; ++attempt) {
        std::optional<NetworkError> transient;
        try {
            reply = co_await net::send(
                *m_network, QByteArrayLiteral("POST"), url, headers, payload, m_timing.requestTimeout);
        } catch (const NetworkError &error) {
            if (!isTransient(error) || attempt == 2) {
                throw NetworkError(error.code(), withoutKey(error.description(), apiKey));
            }
            transient = error;
        }
        if (!transient) {
            break;
        }
        qCInfo(aiLog).noquote() << "[ai] transient network failure, retrying:" << transient->description();
        const bool waited = co_await net::sleepFor(m_timing.firstRetryWait * (attempt + 1));
        if (!waited) {
            throw NetworkError(QNetworkReply::OperationCanceledError, net::cancelledMessage());
        }
    }

    const QJsonValue parsed = json::parse(reply.body);
    if (!parsed.isObject()) {
        throw HttpError::badResponse();
    }
    const QJsonObject object = parsed.toObject();
    if (reply.status >= 200 && reply.status <= 299) {
        co_return object;
    }
    QString message = QStringLiteral("HTTP %1").arg(reply.status);
    if (const auto error = json::object(object, QLatin1StringView("error"))) {
        if (const auto text = json::text(*error, QLatin1StringView("message"))) {
            message = text::singleLine(*text);
        }
    }
    throw AiError::api(reply.status, withoutKey(message, apiKey));
}

QString MessagesClient::replyText(const QJsonObject &reply)
{
    // Content that is not a list of objects counts as no content at all.
    const QJsonArray content = reply.value(QLatin1StringView("content")).toArray();
    if (std::any_of(content.begin(), content.end(), [](const QJsonValue &block) { return !block.isObject(); })) {
        return {};
    }
    QString text;
    for (const QJsonValue &block : content) {
        const QJsonObject object = block.toObject();
        if (object.value(QLatin1StringView("type")).toString() != QLatin1StringView("text")) {
            continue;
        }
        if (const auto piece = json::text(object, QLatin1StringView("text"))) {
            text += *piece;
        }
    }
    return text::trimmedWhitespaceAndNewlines(text);
}
