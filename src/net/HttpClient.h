// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/RequestGroup.h"

#include <QByteArray>
#include <QMap>
#include <QUrl>

#include <QCoroTask>

#include <chrono>

class QNetworkAccessManager;

using HeaderMap = QMap<QByteArray, QByteArray>;

namespace net {

inline constexpr std::chrono::milliseconds kDefaultTimeout { 60'000 };
// Replies larger than this are refused rather than held in memory.
inline constexpr qint64 kMaxBodyBytes = 64LL * 1024 * 1024;
// A request's timeout is an idle timeout; the whole request ends as timed out after this many
// times it, however steadily the reply trickles in.
inline constexpr int kDeadlineFactor = 3;

// The one GET routine of the plain JSON clients. Returns the body of a 2xx reply. Throws
// HttpError::badStatus for any other HTTP status (body decoded as UTF-8, empty when it is not
// UTF-8), HttpError::badResponse when the reply is not HTTP, and NetworkError for transport
// failures (the network stack's own text; "The request timed out." after the timeout or the
// overall deadline; "Too many redirects"; a cancelled error once the request's group is aborted
// or net::endPendingWaits runs).
// A request carrying a key (x-api-key, x-goog-api-key, Authorization) follows redirects within
// its origin only. A body shorter than the reply's declared length is a transport failure
// ("Connection closed"), however the network stack ended the transfer.
// Identical GET requests (same manager, URL, headers and timeout) in flight at the same moment
// share one reply: only the first is sent. The manager must outlive its requests: one deleted
// with its manager never ends (net::endPendingWaits ends them first).
[[nodiscard]] QCoro::Task<QByteArray> getData(QNetworkAccessManager &manager, QUrl url, HeaderMap headers = {},
    std::chrono::milliseconds timeout = kDefaultTimeout, RequestGroup group = {});

// A request of any method with a body; same outcome rules as getData, except that a non-2xx
// reply is returned to the caller, which reads its own error bodies. A request other than GET is
// sent again, body and all, where a redirect points, up to the network stack's usual number of
// times ("Too many redirects" after that); one carrying a key only within its origin.
struct HttpReply
{
    int status = 0;
    QByteArray body;
};
[[nodiscard]] QCoro::Task<HttpReply> send(QNetworkAccessManager &manager, QByteArray method, QUrl url,
    HeaderMap headers, QByteArray body, std::chrono::milliseconds timeout, RequestGroup group = {});

// The text a timed-out request reports.
[[nodiscard]] QString timeoutMessage();
// The text of a request carrying a key that a server redirected to another origin.
[[nodiscard]] QString crossOriginRedirectMessage();
// The text a request reports when its group was aborted.
[[nodiscard]] QString cancelledMessage();

} // namespace net
