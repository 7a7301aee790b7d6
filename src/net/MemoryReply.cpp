// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/MemoryReply.h"

#include <QNetworkReply>
#include <QNetworkRequest>

#include <algorithm>
#include <cstring>

namespace net {
namespace {

// A reply served from memory.
class MemoryReply final : public QNetworkReply
{
public:
    MemoryReply(QNetworkAccessManager::Operation operation, const QNetworkRequest &request, int status,
        const QList<std::pair<QByteArray, QByteArray>> &headers, QByteArray body, QObject *parent)
        : QNetworkReply(parent)
        , m_body(std::move(body))
    {
        setRequest(request);
        setUrl(request.url());
        setOperation(operation);
        setAttribute(QNetworkRequest::HttpStatusCodeAttribute, status);
        setAttribute(QNetworkRequest::HttpReasonPhraseAttribute, reasonPhrase(status));
        for (const auto &[name, value] : headers) {
            setRawHeader(name, value);
        }
        setHeader(QNetworkRequest::ContentLengthHeader, m_body.size());
        if (status >= 400) {
            setError(errorFor(status),
                QStringLiteral("Error transferring %1 - server replied: %2")
                    .arg(url().toString(), QString::fromLatin1(reasonPhrase(status))));
        }
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        QMetaObject::invokeMethod(
            this, [this] { deliver(); }, Qt::QueuedConnection);
    }

    void abort() override
    {
        if (isFinished()) {
            return;
        }
        m_body.clear();
        m_offset = 0;
        setError(OperationCanceledError, QStringLiteral("Operation canceled"));
        finish();
    }

    [[nodiscard]] bool isSequential() const override { return true; }
    [[nodiscard]] qint64 bytesAvailable() const override
    {
        return m_body.size() - m_offset + QNetworkReply::bytesAvailable();
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 count = std::min(maxSize, m_body.size() - m_offset);
        if (count <= 0) {
            return -1;
        }
        std::memcpy(data, m_body.constData() + m_offset, static_cast<size_t>(count));
        m_offset += count;
        return count;
    }

private:
    static QByteArray reasonPhrase(int status)
    {
        return status == 200 ? QByteArrayLiteral("OK") : status == 404 ? QByteArrayLiteral("Not Found") : QByteArray();
    }

    static NetworkError errorFor(int status)
    {
        if (status == 404) {
            return ContentNotFoundError;
        }
        return status < 500 ? UnknownContentError : UnknownServerError;
    }

    // What a server's answer does, in order; a reader may abort on any signal.
    void deliver()
    {
        if (isFinished()) {
            return;
        }
        Q_EMIT metaDataChanged();
        Q_EMIT downloadProgress(m_body.size(), m_body.size());
        if (!isFinished() && !m_body.isEmpty()) {
            Q_EMIT readyRead();
        }
        if (!isFinished()) {
            finish();
        }
    }

    void finish()
    {
        setFinished(true);
        if (error() != NoError) {
            Q_EMIT errorOccurred(error());
        }
        Q_EMIT finished();
    }

    QByteArray m_body;
    qint64 m_offset = 0;
};

} // namespace

QNetworkReply *memoryReply(QNetworkAccessManager::Operation operation, const QNetworkRequest &request, int status,
    const QList<std::pair<QByteArray, QByteArray>> &headers, QByteArray body, QObject *parent)
{
    return new MemoryReply(operation, request, status, headers, std::move(body), parent);
}

} // namespace net
