// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeServer.h"

#include <QFile>
#include <QJsonObject>
#include <QUrl>
#include <QUrlQuery>

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

#ifndef MERRIN_TEST_DATA_DIR
#error "MERRIN_TEST_DATA_DIR must name tests/data"
#endif

struct FakeServer::Impl
{
    httplib::Server server;
    std::thread thread;
    int port = 0;

    mutable std::mutex mutex;
    std::condition_variable stopping;
    bool stopped = false;
    std::atomic<qint64> endlessBytes = 0;
    QMap<QString, QList<Response>> sequences;
    QMap<QString, Handler> handlers;
    QList<Request> log;

    Response responseFor(const Request &request)
    {
        std::unique_lock lock(mutex);
        if (auto it = handlers.find(request.path); it != handlers.end()) {
            Handler handler = it.value();
            lock.unlock();
            return handler(request);
        }
        auto it = sequences.find(request.path);
        if (it == sequences.end()) {
            it = sequences.find(QStringLiteral("*"));
        }
        if (it == sequences.end() || it->isEmpty()) {
            Response missing;
            missing.status = 404;
            missing.body = QByteArrayLiteral("no route for ") + request.path.toUtf8();
            missing.contentType = QByteArrayLiteral("text/plain");
            return missing;
        }
        return it->size() > 1 ? it->takeFirst() : it->first();
    }

    // Waits for the given time, or less when the server is stopping.
    void pause(std::chrono::milliseconds duration)
    {
        std::unique_lock lock(mutex);
        stopping.wait_for(lock, duration, [this] { return stopped; });
    }

    // Makes closing the server's socket to this client port send a TCP reset.
    void resetConnection(int clientPort) const
    {
        for (int fd = 3; fd < 1024; ++fd) {
            sockaddr_in local {};
            sockaddr_in peer {};
            socklen_t size = sizeof(sockaddr_in);
            if (getsockname(fd, reinterpret_cast<sockaddr *>(&local), &size) != 0 || local.sin_family != AF_INET
                || ntohs(local.sin_port) != port) {
                continue;
            }
            size = sizeof(sockaddr_in);
            if (getpeername(fd, reinterpret_cast<sockaddr *>(&peer), &size) == 0
                && ntohs(peer.sin_port) == clientPort) {
                const linger abortive { 1, 0 };
                setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof(abortive));
                return;
            }
        }
    }

    void handle(const httplib::Request &raw, httplib::Response &res)
    {
        Request request;
        request.method = QString::fromStdString(raw.method);
        const QString target = QString::fromStdString(raw.target.empty() ? raw.path : raw.target);
        const qsizetype mark = target.indexOf(QLatin1Char('?'));
        request.path = QUrl::fromPercentEncoding((mark < 0 ? target : target.left(mark)).toUtf8());
        if (mark >= 0) {
            const QString queryText = target.mid(mark + 1);
            for (const QString &part : queryText.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
                const qsizetype eq = part.indexOf(QLatin1Char('='));
                const QString key = eq < 0 ? part : part.left(eq);
                const QString value = eq < 0 ? QString() : part.mid(eq + 1);
                request.query.append({ QUrl::fromPercentEncoding(key.toUtf8()),
                    QUrl::fromPercentEncoding(QString(value).replace(QLatin1Char('+'), QLatin1Char(' ')).toUtf8()) });
            }
        }
        for (const auto &[name, value] : raw.headers) {
            request.headers.insert(QString::fromStdString(name).toLower(), QString::fromStdString(value));
        }
        request.body = QByteArray::fromStdString(raw.body);
        {
            std::lock_guard lock(mutex);
            log.append(request);
        }

        const Response response = responseFor(request);
        if (response.delay.count() > 0) {
            pause(response.delay);
        }
        res.status = response.status;
        for (const auto &[name, value] : response.headers) {
            res.set_header(name.toStdString(), value.toStdString());
        }
        const std::string body = response.body.toStdString();
        const std::string contentType = response.contentType.toStdString();
        switch (response.misbehavior) {
        case Misbehavior::None:
            res.set_content(body, contentType);
            break;
        case Misbehavior::Stall:
            pause(response.stallFor);
            res.set_content(body, contentType);
            break;
        case Misbehavior::CloseConnection:
            res.set_content_provider(
                body.size() + 1, contentType, [](size_t, size_t, httplib::DataSink &) { return false; });
            break;
        case Misbehavior::TruncatedBody:
            res.set_content_provider(body.size(), contentType, [body](size_t offset, size_t, httplib::DataSink &sink) {
                const size_t half = body.size() / 2;
                if (offset < half) {
                    sink.write(body.data() + offset, half - offset);
                    return true;
                }
                return false;
            });
            break;
        case Misbehavior::Drip:
            res.set_content_provider(body.size(), contentType,
                [this, body, interval = response.stallFor](size_t offset, size_t, httplib::DataSink &sink) {
                    pause(interval);
                    sink.write(body.data() + offset, 1);
                    return true;
                });
            break;
        case Misbehavior::Reset:
            res.set_content_provider(body.size(), contentType,
                [this, body, port = raw.remote_port](size_t offset, size_t, httplib::DataSink &sink) {
                    const size_t half = body.size() / 2;
                    if (offset < half) {
                        sink.write(body.data() + offset, half - offset);
                        return true;
                    }
                    // Let the client read the first half, then close with a reset instead of a FIN.
                    pause(std::chrono::milliseconds(50));
                    resetConnection(port);
                    return false;
                });
            break;
        case Misbehavior::Endless:
            res.set_chunked_content_provider(
                contentType, [this, body, interval = response.stallFor](size_t offset, httplib::DataSink &sink) {
                    if (offset > 0) {
                        pause(interval);
                    }
                    endlessBytes += static_cast<qint64>(body.size());
                    return !body.empty() && sink.write(body.data(), body.size());
                });
            break;
        case Misbehavior::HugeLength:
            res.set_content_provider(100'000'000'000ULL, contentType,
                [this, interval = response.stallFor](size_t, size_t, httplib::DataSink &) {
                    pause(interval);
                    return false;
                });
            break;
        }
    }
};

FakeServer::FakeServer()
    : d(std::make_unique<Impl>())
{
    // One request per connection: nothing lingers when the server stops.
    d->server.set_keep_alive_max_count(1);
    d->server.set_read_timeout(5, 0);
    d->server.set_payload_max_length(64 * 1024 * 1024);
    const auto handler = [this](const httplib::Request &req, httplib::Response &res) { d->handle(req, res); };
    d->server.Get(".*", handler);
    d->server.Post(".*", handler);
    d->server.Put(".*", handler);
    d->server.Delete(".*", handler);
    d->port = d->server.bind_to_any_port("127.0.0.1");
    if (d->port <= 0) {
        throw std::runtime_error("FakeServer could not bind to 127.0.0.1");
    }
    d->thread = std::thread([this] { d->server.listen_after_bind(); });
    // Stopping only works once the server runs; connections made before then wait in the backlog.
    while (!d->server.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

FakeServer::~FakeServer()
{
    {
        std::lock_guard lock(d->mutex);
        d->stopped = true;
    }
    d->stopping.notify_all();
    d->server.stop();
    if (d->thread.joinable()) {
        d->thread.join();
    }
}

QString FakeServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(d->port);
}

Endpoints FakeServer::endpoints() const
{
    Endpoints endpoints;
    for (const QString &field : Endpoints::fieldNames()) {
        endpoints.applyOverrides(QJsonObject { { field, baseUrl() } });
    }
    return endpoints;
}

void FakeServer::route(const QString &path, Response response)
{
    routeSequence(path, { std::move(response) });
}

void FakeServer::routeSequence(const QString &path, QList<Response> responses)
{
    std::lock_guard lock(d->mutex);
    d->handlers.remove(path);
    d->sequences.insert(path, std::move(responses));
}

void FakeServer::routeHandler(const QString &path, Handler handler)
{
    std::lock_guard lock(d->mutex);
    d->sequences.remove(path);
    d->handlers.insert(path, std::move(handler));
}

QList<FakeServer::Request> FakeServer::requests() const
{
    std::lock_guard lock(d->mutex);
    return d->log;
}

QList<FakeServer::Request> FakeServer::requests(const QString &path) const
{
    QList<Request> matching;
    for (const Request &request : requests()) {
        if (request.path == path) {
            matching.append(request);
        }
    }
    return matching;
}

int FakeServer::count(const QString &path) const
{
    return static_cast<int>(requests(path).size());
}

void FakeServer::clearRequests()
{
    std::lock_guard lock(d->mutex);
    d->log.clear();
}

qint64 FakeServer::endlessBytesSent() const
{
    return d->endlessBytes;
}

FakeServer::Response FakeServer::json(const QByteArray &body, int status)
{
    Response response;
    response.status = status;
    response.body = body;
    return response;
}

FakeServer::Response FakeServer::fromFile(const QString &testDataName, int status)
{
    return json(testData(testDataName), status);
}

QString FakeServer::Request::queryValue(const QString &key) const
{
    for (const auto &[k, v] : query) {
        if (k == key) {
            return v;
        }
    }
    return {};
}

QStringList FakeServer::Request::queryKeys() const
{
    QStringList keys;
    for (const auto &item : query) {
        keys.append(item.first);
    }
    return keys;
}

QByteArray testData(const QString &name)
{
    QFile file(QStringLiteral(MERRIN_TEST_DATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("missing test data file " + name.toStdString());
    }
    return file.readAll();
}
