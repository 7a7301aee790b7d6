// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/AppError.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <QCoroTask>

#include <chrono>
#include <memory>

class PositionBackend;

// A point on the earth in degrees.
struct Coordinates
{
    double latitude = 0;
    double longitude = 0;
    bool operator==(const Coordinates &) const = default;
};

// Why the device gave no position. The codes follow the platform convention the rest of the
// application was written against: 0 the position is unknown (timeout, nothing delivered),
// 1 access denied (no location service, or it refused us), 2 the service reported an error.
class PositionError : public AppError
{
public:
    enum class Code { LocationUnknown = 0, Denied = 1, Failed = 2 };
    PositionError(Code code, QString description);
    [[nodiscard]] Code code() const noexcept { return m_code; }

private:
    Code m_code;
};

// The device position, one request at a time. "Authorized" means a location service exists
// and has not refused us; there is no separate permission prompt on Linux, the request itself
// is the question. A request is answered exactly once: by a position, by an error, or by the
// timeout. An answer that arrives after the timeout is dropped.
class PositionSource : public QObject
{
    Q_OBJECT

public:
    // backend null: this machine has no location service.
    explicit PositionSource(std::unique_ptr<PositionBackend> backend, QObject *parent = nullptr);
    ~PositionSource() override;

    // The system's default location service (GeoClue 2), or a source without a backend when
    // there is none. desktopId names this application to GeoClue.
    [[nodiscard]] static std::unique_ptr<PositionSource> createDefault(
        const QString &desktopId = QStringLiteral("org.merrinvale.MerrinVale"), QObject *parent = nullptr);

    [[nodiscard]] bool hasBackend() const { return m_backend != nullptr; }
    // A service exists and has not reported an access error in this run.
    [[nodiscard]] bool isAuthorized() const;

    // One position. Throws PositionError: Denied when not authorized, LocationUnknown after
    // the timeout, Failed (or Denied) when the service reports an error. Requests made while
    // one is pending share its answer.
    [[nodiscard]] QCoro::Task<Coordinates> requestPosition(std::chrono::milliseconds timeout);

    // What a pending request is resumed with.
    struct Answer
    {
        bool ok = false;
        Coordinates position;
        PositionError::Code code = PositionError::Code::LocationUnknown;
        QString message;
    };

Q_SIGNALS:
    // Internal: resumes the requests waiting for the pending answer.
    void answered(const PositionSource::Answer &answer);

private:
    void onPosition(double latitude, double longitude);
    void onFailure(bool accessDenied, const QString &message);
    void onTimeout();

    std::unique_ptr<PositionBackend> m_backend;
    bool m_pending = false;
    bool m_accessDenied = false;
    QTimer m_timeout;
};
