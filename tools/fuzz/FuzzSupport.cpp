// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzz {

namespace {

void dropMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        std::abort();
    }
}

// A reply served from memory: metadata, the body and the end, in a server's order.
class MemoryReply final : public QNetworkReply
{
public:
    MemoryReply(
        QNetworkAccessManager::Operation operation, const QNetworkRequest &request, Reply reply, QObject *parent)
        : QNetworkReply(parent)
        , m_body(std::move(reply.body))
    {
        setRequest(request);
        setUrl(request.url());
        setOperation(operation);
        setAttribute(QNetworkRequest::HttpStatusCodeAttribute, reply.status);
        setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
        setHeader(QNetworkRequest::ContentLengthHeader, m_body.size());
        if (reply.status >= 400) {
            setError(reply.status == 404 ? ContentNotFoundError
                                         : (reply.status < 500 ? UnknownContentError : UnknownServerError),
                QStringLiteral("server replied with status %1").arg(reply.status));
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

void ensureApplication()
{
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    static int argc = 1;
    static char name[] = "merrin-fuzz";
    static char *argv[] = { name, nullptr };
    // MERRIN_FUZZ_LOG=1 keeps them, to see where an input goes.
    if (qEnvironmentVariableIntValue("MERRIN_FUZZ_LOG") == 0) {
        qInstallMessageHandler(dropMessage);
    }
    static QCoreApplication app(argc, argv);
}

Input::Input(const uint8_t *data, size_t size)
{
    if (size == 0) {
        m_parts.append(QByteArray());
        return;
    }
    m_selector = data[0];
    m_payload = QByteArray(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    m_parts = m_payload.split('\0');
}

int Input::status() const
{
    static constexpr int kErrors[] = { 400, 404, 429, 500 };
    return (m_selector & 0x40) != 0 ? kErrors[(m_selector >> 4) & 3] : 200;
}

const QByteArray &Input::part(qsizetype index) const
{
    return m_parts.at(std::min(index, m_parts.size() - 1));
}

Endpoints endpoints()
{
    Endpoints result;
    QJsonObject overrides;
    for (const QString &name : Endpoints::fieldNames()) {
        overrides.insert(name, QStringLiteral("http://fuzz.invalid/") + name);
    }
    result.applyOverrides(overrides);
    return result;
}

QString serviceOf(const QUrl &url)
{
    return url.path().section(QLatin1Char('/'), 1, 1);
}

Network::Network(std::function<Reply(const QUrl &)> answer)
    : m_answer(std::move(answer))
{ }

QNetworkReply *Network::createRequest(Operation operation, const QNetworkRequest &request, QIODevice *outgoingData)
{
    if (outgoingData != nullptr) {
        outgoingData->readAll();
    }
    return new MemoryReply(operation, request, m_answer(request.url()), this);
}

void hangDetected()
{
    std::fprintf(stderr, "merrin-fuzz: a task did not finish: hang\n");
    std::abort();
}

} // namespace fuzz
