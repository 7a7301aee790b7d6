// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/HttpClient.h"

#include "net/AppError.h"
#include "net/PendingWaits.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStringDecoder>
#include <QTimer>

#include <memory>

namespace net {
namespace {

// How far past the size limit a reply may be read: more than one read from the network, so that
// a reply over the limit always shows it.
constexpr qint64 kReadBufferSlack = 1024 * 1024;

// Statuses Qt turns into errors of its own (407 into "Proxy requires authentication", 400 into a
// protocol error, ...) are still statuses the server sent, and are read as such. Only a failure of
// the transfer itself, or of following redirects, is a transport error.
bool isServerStatus(QNetworkReply::NetworkError error, const QVariant &status)
{
    if (!status.isValid() || error == QNetworkReply::TooManyRedirectsError
        || error == QNetworkReply::InsecureRedirectError) {
        return false;
    }
    const int code = status.toInt();
    // A 2xx with an error is a transfer that broke off part-way.
    return code < 200 || code > 299;
}

bool isCredentialHeader(const QByteArray &name)
{
    const QByteArray lower = name.toLower();
    return lower == "x-api-key" || lower == "x-goog-api-key" || lower == "authorization";
}

QString decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    return decoder.hasError() ? QString() : text;
}

// One request on the wire and everyone waiting for it. Waiters that give up leave; when the
// last one leaves before the reply ends, the transfer is aborted.
class SharedRequest : public QObject
{
    Q_OBJECT

public:
    SharedRequest(QNetworkReply *reply, QString key, std::chrono::milliseconds timeout)
        : m_reply(reply)
        , m_key(std::move(key))
    {
        QObject::connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
            if (received > kMaxBodyBytes || total > kMaxBodyBytes) {
                refuse(m_tooLarge);
            }
        });
        // Progress is reported only when this thread has caught up with the network thread, so a
        // server that sends faster than this thread takes it in could go unchecked until the
        // timeout, filling memory. Reading stops a little past the limit instead (set when the
        // headers are in: the network thread ignores a size set while a request is being set up),
        // and a full buffer is refused here.
        QObject::connect(reply, &QNetworkReply::readyRead, this, [this] {
            if (m_reply && m_reply->bytesAvailable() > kMaxBodyBytes) {
                refuse(m_tooLarge);
            }
        });
        // A declared length over the limit is refused as soon as the headers say so.
        QObject::connect(reply, &QNetworkReply::metaDataChanged, this, [this] {
            m_reply->setReadBufferSize(kMaxBodyBytes + kReadBufferSlack); // see readyRead above
            if (m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > kMaxBodyBytes) {
                refuse(m_tooLarge);
            }
        });
        // The timeout is an idle timeout, restarted by every byte; a server that trickles its
        // reply meets this overall deadline instead.
        m_deadline.setSingleShot(true);
        QObject::connect(&m_deadline, &QTimer::timeout, this, [this] { refuse(m_pastDeadline); });
        m_deadline.start(timeout * kDeadlineFactor);
        // Queued, so that a reply deleted with its network manager (which finishes it on the way
        // out) is seen as gone: its waiters then never resume, as with any reply that vanishes,
        // rather than resume into services that are being destroyed too.
        QObject::connect(reply, &QNetworkReply::finished, this, &SharedRequest::settle, Qt::QueuedConnection);
        // A reply that is gone can be joined no more (another manager may later live at the same
        // address and ask for the same URL).
        QObject::connect(reply, &QObject::destroyed, this, &SharedRequest::forget);
    }
    ~SharedRequest() override
    {
        if (m_reply) {
            m_reply->deleteLater();
        }
    }

    [[nodiscard]] bool isFinished() const { return m_finished; }
    // Where the server sent a request that follows its redirects itself; empty for any other reply.
    [[nodiscard]] const QUrl &redirectTarget() const { return m_redirect; }
    [[nodiscard]] const QString &key() const { return m_key; }

    void join() { ++m_waiters; }
    void leave()
    {
        if (--m_waiters == 0 && !m_finished && m_reply) {
            m_abandoned = true;
            m_reply->abort();
        }
    }

    // The reply, or the error it ended with.
    [[nodiscard]] HttpReply outcome() const
    {
        if (m_error) {
            std::rethrow_exception(m_error);
        }
        return m_result;
    }

Q_SIGNALS:
    void finished();

private:
    void settle();
    void forget();
    void refuse(bool &why)
    {
        if (!m_finished && m_reply) {
            why = true;
            m_reply->abort();
        }
    }

    QPointer<QNetworkReply> m_reply;
    QString m_key;
    int m_waiters = 0;
    bool m_tooLarge = false;
    bool m_pastDeadline = false;
    bool m_abandoned = false;
    QTimer m_deadline;
    bool m_finished = false;
    HttpReply m_result;
    QUrl m_redirect;
    std::exception_ptr m_error;
};

// GET requests in flight, by what makes two of them identical. Main thread only, like every
// request of the application.
QHash<QString, std::weak_ptr<SharedRequest>> &inFlight()
{
    static QHash<QString, std::weak_ptr<SharedRequest>> requests;
    return requests;
}

void SharedRequest::forget()
{
    if (const auto it = inFlight().constFind(m_key); it != inFlight().cend() && it->lock().get() == this) {
        inFlight().erase(it);
    }
}

void SharedRequest::settle()
{
    forget();
    if (!m_reply || m_reply->manager() == nullptr) {
        return;
    }
    const QNetworkReply::NetworkError error = m_reply->error();
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (m_tooLarge) {
        m_error = std::make_exception_ptr(
            NetworkError(QNetworkReply::UnknownContentError, QStringLiteral("The server's reply is too large.")));
    } else if (m_pastDeadline) {
        m_error = std::make_exception_ptr(NetworkError(QNetworkReply::TimeoutError, timeoutMessage()));
    } else if (error == QNetworkReply::TooManyRedirectsError) {
        m_error = std::make_exception_ptr(NetworkError(error, QStringLiteral("Too many redirects")));
    } else if (error == QNetworkReply::InsecureRedirectError) {
        m_error = std::make_exception_ptr(NetworkError(error, crossOriginRedirectMessage()));
    } else if (m_abandoned) {
        m_error = std::make_exception_ptr(NetworkError(QNetworkReply::OperationCanceledError, cancelledMessage()));
    } else if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError) {
        // The transfer timeout cancels the reply; nothing else aborts one that still has waiters.
        m_error = std::make_exception_ptr(NetworkError(QNetworkReply::TimeoutError, timeoutMessage()));
    } else if (error == QNetworkReply::UnknownContentError && m_reply->hasRawHeader("Content-Encoding")
        && !isServerStatus(error, status)) {
        // The network stack's own text for this is "Decompression failed: " with nothing after it,
        // for a corrupt stream and a decompression bomb alike.
        m_error = std::make_exception_ptr(
            NetworkError(error, QStringLiteral("The server's reply could not be decompressed.")));
    } else if (error != QNetworkReply::NoError && !isServerStatus(error, status)) {
        m_error = std::make_exception_ptr(NetworkError(error, m_reply->errorString()));
    } else if (!status.isValid()) {
        m_error = std::make_exception_ptr(HttpError::badResponse());
    } else if (const int code = status.toInt(); code >= 300 && code <= 399
               && m_reply->request().attribute(QNetworkRequest::RedirectPolicyAttribute).toInt()
                   == QNetworkRequest::ManualRedirectPolicy
               && m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).isValid()) {
        m_redirect = m_reply->url().resolved(m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl());
    } else {
        QByteArray body = m_reply->readAll();
        // The network stack sometimes ends a reply whose connection was reset part-way without an
        // error; a body shorter than its declared length is that broken transfer. (A decompressed
        // body has no declared length left.)
        const QVariant declared = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (declared.isValid() && declared.toLongLong() > body.size()) {
            m_error = std::make_exception_ptr(
                NetworkError(QNetworkReply::RemoteHostClosedError, QStringLiteral("Connection closed")));
        } else {
            m_result = HttpReply { status.toInt(), std::move(body) };
        }
    }
    m_finished = true;
    m_deadline.stop();
    Q_EMIT finished();
}

std::shared_ptr<SharedRequest> startRequest(QNetworkAccessManager &manager, const QByteArray &method, const QUrl &url,
    const HeaderMap &headers, const QByteArray &body, std::chrono::milliseconds timeout)
{
    QString key;
    if (method == "GET") {
        key = QString::number(reinterpret_cast<quintptr>(&manager)) + QLatin1Char(' ')
            + QString::number(timeout.count()) + QLatin1Char(' ') + url.toString(QUrl::FullyEncoded);
        for (auto it = headers.cbegin(); it != headers.cend(); ++it) {
            key +=
                QLatin1Char('\n') + QString::fromLatin1(it.key()) + QLatin1Char(':') + QString::fromLatin1(it.value());
        }
        if (std::shared_ptr<SharedRequest> running = inFlight().value(key).lock()) {
            return running;
        }
    }

    QNetworkRequest request(url);
    request.setTransferTimeout(static_cast<int>(timeout.count()));
    bool carriesKey = false;
    for (auto it = headers.cbegin(); it != headers.cend(); ++it) {
        request.setRawHeader(it.key(), it.value());
        carriesKey = carriesKey || isCredentialHeader(it.key());
    }
    // A key goes to the configured origin only: a redirect elsewhere ends the request. The network
    // stack cannot be relied on to send a body again on a second redirect (the request ends with an
    // unknown error or with the redirect itself), so send() follows the redirects of a request with
    // a body itself.
    if (method != "GET") {
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    } else if (carriesKey) {
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::SameOriginRedirectPolicy);
    }
    QNetworkReply *reply = method == "GET" ? manager.get(request) : manager.sendCustomRequest(request, method, body);
    // Deleted later: the last waiter may let go of it from inside its own finished signal.
    std::shared_ptr<SharedRequest> shared(
        new SharedRequest(reply, key, timeout), [](SharedRequest *request) { request->deleteLater(); });
    if (!key.isEmpty()) {
        inFlight().insert(key, shared);
    }
    return shared;
}

} // namespace

QString timeoutMessage()
{
    return QStringLiteral("The request timed out.");
}

QString crossOriginRedirectMessage()
{
    return QStringLiteral("The server redirected the request to another site, and it was not followed.");
}

QString cancelledMessage()
{
    return QStringLiteral("The request was cancelled.");
}

namespace {

// One request on the wire, awaited: it holds its outcome or where it was redirected.
QCoro::Task<std::shared_ptr<SharedRequest>> transfer(QNetworkAccessManager &manager, const QByteArray &method,
    const QUrl &url, const HeaderMap &headers, const QByteArray &body, std::chrono::milliseconds timeout,
    const RequestGroup &group)
{
    if (group.isAborted() || endingPendingWaits()) {
        throw NetworkError(QNetworkReply::OperationCanceledError, cancelledMessage());
    }
    std::shared_ptr<SharedRequest> request = startRequest(manager, method, url, headers, body, timeout);
    request->join();
    if (!request->isFinished()) {
        // Woken when the request ends, when its group is aborted, or when pending waits end.
        detail::Wake waiter;
        QObject::connect(request.get(), &SharedRequest::finished, &waiter, &detail::Wake::wake);
        if (group.state() != nullptr) {
            // Queued: an abort never resumes a request inside the code that aborted it.
            QObject::connect(
                group.state(), &detail::GroupState::abortRequested, &waiter, &detail::Wake::wake, Qt::QueuedConnection);
        }
        // Direct: the owners that end their waits are still whole at that moment, and may not be
        // a moment later.
        QObject::connect(&detail::pendingWaits(), &detail::PendingWaits::ending, &waiter, &detail::Wake::wake);
        co_await waiter.woken();
    }
    const bool finished = request->isFinished();
    request->leave();
    if (!finished) {
        throw NetworkError(QNetworkReply::OperationCanceledError, cancelledMessage());
    }
    co_return request;
}

bool sameOrigin(const QUrl &a, const QUrl &b)
{
    return a.scheme() == b.scheme() && a.host() == b.host() && a.port() == b.port();
}

} // namespace

QCoro::Task<HttpReply> send(QNetworkAccessManager &manager, QByteArray method, QUrl url, HeaderMap headers,
    QByteArray body, std::chrono::milliseconds timeout, RequestGroup group)
{
    const bool carriesKey = std::any_of(
        headers.keyBegin(), headers.keyEnd(), [](const QByteArray &name) { return isCredentialHeader(name); });
    const int maxRedirects = QNetworkRequest().maximumRedirectsAllowed();
    for (int hop = 0;; ++hop) {
        const std::shared_ptr<SharedRequest> request =
            co_await transfer(manager, method, url, headers, body, timeout, group);
        const QUrl next = request->redirectTarget();
        if (next.isEmpty()) {
            co_return request->outcome();
        }
        if (hop >= maxRedirects) {
            throw NetworkError(QNetworkReply::TooManyRedirectsError, QStringLiteral("Too many redirects"));
        }
        if (carriesKey && !sameOrigin(url, next)) {
            throw NetworkError(QNetworkReply::InsecureRedirectError, crossOriginRedirectMessage());
        }
        url = next;
    }
}

QCoro::Task<QByteArray> getData(
    QNetworkAccessManager &manager, QUrl url, HeaderMap headers, std::chrono::milliseconds timeout, RequestGroup group)
{
    HttpReply reply = co_await send(
        manager, QByteArrayLiteral("GET"), std::move(url), std::move(headers), {}, timeout, std::move(group));
    if (reply.status < 200 || reply.status > 299) {
        throw HttpError::badStatus(reply.status, decodeUtf8(reply.body));
    }
    co_return std::move(reply.body);
}

} // namespace net

#include "HttpClient.moc"
