// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"

#include "net/MemoryReply.h"

#include <QCoreApplication>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

namespace {

void dropMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        std::abort();
    }
}

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
    Reply reply = m_answer(request.url());
    return net::memoryReply(operation, request, reply.status,
        { { QByteArrayLiteral("Content-Type"), QByteArrayLiteral("application/json") } }, std::move(reply.body), this);
}

void hangDetected()
{
    std::fprintf(stderr, "merrin-fuzz: a task did not finish: hang\n");
    std::abort();
}

} // namespace fuzz
