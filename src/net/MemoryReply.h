// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>

#include <utility>

class QNetworkReply;
class QNetworkRequest;

namespace net {

// A reply that never leaves the process: after a turn of the event loop it delivers its status,
// headers and body the way a server's answer arrives (metadata, progress, data, the end), and a
// status of 400 or more ends it with the error the network stack gives such a status. For
// in-process networks: the demo, and the fuzz targets.
[[nodiscard]] QNetworkReply *memoryReply(QNetworkAccessManager::Operation operation, const QNetworkRequest &request,
    int status, const QList<std::pair<QByteArray, QByteArray>> &headers, QByteArray body, QObject *parent);

} // namespace net
