// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/HttpClient.h"

#include "net/AppError.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>

#include <QCoroNetworkReply>

#include <memory>

namespace net {
namespace {

struct ReplyDeleter
{
    void operator()(QNetworkReply *reply) const { reply->deleteLater(); }
};

bool isTransportError(QNetworkReply::NetworkError error)
{
    // Qt reports an HTTP 400 reply as ProtocolInvalidOperationError, inside the protocol range;
    // it is a status the server sent.
    if (error == QNetworkReply::ProtocolInvalidOperationError) {
        return false;
    }
    const int code = static_cast<int>(error);
    // 1-99: connection level, 101-199: proxy, 301-399: protocol. 201-299 and 401-499 are
    // statuses the server sent, which the caller sees through the status code.
    return (code >= 1 && code < 200) || (code >= 300 && code < 400);
}

QString decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    return decoder.hasError() ? QString() : text;
}

} // namespace

QString timeoutMessage()
{
    return QStringLiteral("The request timed out.");
}

QCoro::Task<HttpReply> send(QNetworkAccessManager &manager, QByteArray method, QUrl url, HeaderMap headers,
    QByteArray body, std::chrono::milliseconds timeout)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(static_cast<int>(timeout.count()));
    for (auto it = headers.cbegin(); it != headers.cend(); ++it) {
        request.setRawHeader(it.key(), it.value());
    }
    std::unique_ptr<QNetworkReply, ReplyDeleter> reply(
        method == "GET" ? manager.get(request) : manager.sendCustomRequest(request, method, body));

    // Refuse replies too large to hold; the transfer is aborted as soon as the size is known.
    auto tooLarge = std::make_shared<bool>(false);
    QNetworkReply *raw = reply.get();
    QObject::connect(raw, &QNetworkReply::downloadProgress, raw, [raw, tooLarge](qint64 received, qint64 total) {
        if (received > kMaxBodyBytes || total > kMaxBodyBytes) {
            *tooLarge = true;
            raw->abort();
        }
    });

    co_await qCoro(raw).waitForFinished(std::chrono::milliseconds(-1));

    const QNetworkReply::NetworkError error = raw->error();
    if (*tooLarge) {
        throw NetworkError(QNetworkReply::UnknownContentError, QStringLiteral("The server's reply is too large."));
    }
    if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError) {
        // The transfer timeout cancels the reply; nothing else here aborts one.
        throw NetworkError(QNetworkReply::TimeoutError, timeoutMessage());
    }
    const QVariant statusAttribute = raw->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (error != QNetworkReply::NoError && (isTransportError(error) || !statusAttribute.isValid())) {
        throw NetworkError(error, raw->errorString());
    }
    if (!statusAttribute.isValid()) {
        throw HttpError::badResponse();
    }
    co_return HttpReply { statusAttribute.toInt(), raw->readAll() };
}

QCoro::Task<QByteArray> getData(
    QNetworkAccessManager &manager, QUrl url, HeaderMap headers, std::chrono::milliseconds timeout)
{
    HttpReply reply = co_await send(manager, QByteArrayLiteral("GET"), std::move(url), std::move(headers), {}, timeout);
    if (reply.status < 200 || reply.status > 299) {
        throw HttpError::badStatus(reply.status, decodeUtf8(reply.body));
    }
    co_return std::move(reply.body);
}

} // namespace net
