// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Await.h"
#include "net/Endpoints.h"

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QString>
#include <QUrl>

#include <cstddef>
#include <cstdint>
#include <functional>

// What every fuzz target shares: one application object, an in-process network that answers
// each request with bytes of the input, and a way to run a task to its end.
namespace fuzz {

// Creates the QCoreApplication once and silences the libraries' diagnostics (a log line per
// input would slow the fuzzer down to the speed of the terminal) unless MERRIN_FUZZ_LOG=1.
void ensureApplication();

// An input: its first byte picks what is exercised, the rest is split at NUL bytes into parts.
// Asking for a part past the last gives the last one, so a plain reply body serves every request.
//   mode(n): (byte & 0x0f) % n
//   status(): 200, or for a byte with 0x40 set, one of 400, 404, 429, 500 by bits 4-5
struct Input
{
    Input(const uint8_t *data, size_t size);

    [[nodiscard]] int mode(int count) const { return (m_selector & 0x0f) % count; }
    [[nodiscard]] int status() const;
    [[nodiscard]] const QByteArray &part(qsizetype index) const;
    [[nodiscard]] const QByteArray &payload() const { return m_payload; }
    [[nodiscard]] QString text() const { return QString::fromUtf8(m_payload); }

private:
    uint8_t m_selector = 0;
    QByteArray m_payload;
    QList<QByteArray> m_parts;
};

struct Reply
{
    int status = 200;
    QByteArray body;
};

// Endpoints whose every base URL is "http://fuzz.invalid/<field name>", so that the first path
// segment of a request names the service it went to.
[[nodiscard]] Endpoints endpoints();
[[nodiscard]] QString serviceOf(const QUrl &url);

// Answers every request from answer(url) after one turn of the event loop, as a server would;
// no socket is opened.
class Network : public QNetworkAccessManager
{
public:
    explicit Network(std::function<Reply(const QUrl &)> answer);

protected:
    QNetworkReply *createRequest(Operation operation, const QNetworkRequest &request, QIODevice *outgoingData) override;

private:
    std::function<Reply(const QUrl &)> m_answer;
};

// Reports a task that never finished, as a crash.
[[noreturn]] void hangDetected();

// Runs the task to its end on the event loop. What it throws is the expected outcome of bad
// input and is dropped; a task that does not finish within 20 seconds is a hang and aborts.
template <typename T>
void run(QCoro::Task<T> task)
{
    try {
        (void)test_support::await(std::move(task));
    } catch (const test_support::AwaitTimeout &) {
        hangDetected();
    } catch (const std::exception &) {
        // An error the service reports to its caller: the right answer to bad bytes.
    }
}

} // namespace fuzz
