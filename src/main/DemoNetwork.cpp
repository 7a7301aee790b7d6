// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/DemoNetwork.h"

#include "main/DemoScenario.h"
#include "net/MemoryReply.h"

#include <QNetworkRequest>

namespace {

QByteArray verb(QNetworkAccessManager::Operation operation, const QNetworkRequest &request)
{
    switch (operation) {
    case QNetworkAccessManager::GetOperation:
        return QByteArrayLiteral("GET");
    case QNetworkAccessManager::HeadOperation:
        return QByteArrayLiteral("HEAD");
    case QNetworkAccessManager::PutOperation:
        return QByteArrayLiteral("PUT");
    case QNetworkAccessManager::PostOperation:
        return QByteArrayLiteral("POST");
    case QNetworkAccessManager::DeleteOperation:
        return QByteArrayLiteral("DELETE");
    default:
        return request.attribute(QNetworkRequest::CustomVerbAttribute).toByteArray();
    }
}

} // namespace

DemoNetwork::DemoNetwork(const DemoScenario &scenario, QObject *parent)
    : QNetworkAccessManager(parent)
    , m_scenario(scenario)
{ }

QNetworkReply *DemoNetwork::createRequest(Operation operation, const QNetworkRequest &request, QIODevice *outgoingData)
{
    const QByteArray body = outgoingData != nullptr ? outgoingData->readAll() : QByteArray();
    DemoScenario::Reply reply = m_scenario.reply(verb(operation, request), request.url(), body);
    return net::memoryReply(operation, request, reply.status, reply.headers, std::move(reply.body), this);
}
