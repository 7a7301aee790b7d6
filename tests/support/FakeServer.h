// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Endpoints.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <utility>

// A real HTTP server on 127.0.0.1 with a random port, run in its own thread, for tests. It
// answers canned routes, records every request, and can misbehave on purpose.
class FakeServer
{
public:
    enum class Misbehavior {
        None,
        CloseConnection, // send the status line and headers, then hang up
        Stall, // never answer (until the server stops or the stall ends)
        TruncatedBody, // announce the whole body, send half of it, hang up
        Drip, // send the body one byte per stallFor
        HugeLength, // announce a body of 100 GB, then stall for stallFor and hang up
        Reset, // announce the whole body, send half of it, then reset the connection (TCP RST)
        Endless, // send the body over and over, stallFor apart, chunked without a length, until the client hangs up
    };

    struct Response
    {
        int status = 200;
        QByteArray body;
        QByteArray contentType = QByteArrayLiteral("application/json");
        QList<std::pair<QByteArray, QByteArray>> headers;
        std::chrono::milliseconds delay { 0 };
        Misbehavior misbehavior = Misbehavior::None;
        std::chrono::milliseconds stallFor { 30'000 };
    };

    struct Request
    {
        QString method;
        QString path;
        QList<std::pair<QString, QString>> query; // in the order sent, decoded
        QMap<QString, QString> headers; // names in lower case
        QByteArray body;

        // The value of the first query item with this key (empty when there is none).
        [[nodiscard]] QString queryValue(const QString &key) const;
        [[nodiscard]] QStringList queryKeys() const;
    };

    using Handler = std::function<Response(const Request &)>;

    FakeServer();
    ~FakeServer();
    FakeServer(const FakeServer &) = delete;
    FakeServer &operator=(const FakeServer &) = delete;

    // "http://127.0.0.1:PORT"
    [[nodiscard]] QString baseUrl() const;
    // Every service's base URL pointing at this server; what it has no route for answers 404.
    [[nodiscard]] Endpoints endpoints() const;

    // Every request for this path (any method) gets this response. The path "*" answers every
    // path without a route of its own.
    void route(const QString &path, Response response);
    // Requests for this path get these responses in turn; the last one repeats.
    void routeSequence(const QString &path, QList<Response> responses);
    // Requests for this path are answered by a function (called on the server's thread).
    void routeHandler(const QString &path, Handler handler);

    [[nodiscard]] QList<Request> requests() const;
    [[nodiscard]] QList<Request> requests(const QString &path) const;
    [[nodiscard]] int count(const QString &path) const;
    void clearRequests();
    // How many body bytes endless replies have sent so far.
    [[nodiscard]] qint64 endlessBytesSent() const;

    // Convenience for canned replies.
    static Response json(const QByteArray &body, int status = 200);
    static Response fromFile(const QString &testDataName, int status = 200);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The contents of tests/data/NAME; fails the calling test when it cannot be read.
QByteArray testData(const QString &name);
