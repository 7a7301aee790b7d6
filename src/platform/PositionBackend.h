// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <chrono>

// The device's location service as PositionSource sees it: one-shot requests answered by a
// signal. The production backend is QtPositionBackend (GeoClue 2 through Qt Positioning);
// tests put a scripted one in its place.
class PositionBackend : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~PositionBackend() override = default;

    // Asks for one position. The answer is positionUpdated or failed, possibly before this
    // returns; a backend may also stay silent.
    virtual void requestUpdate(std::chrono::milliseconds timeout) = 0;

Q_SIGNALS:
    void positionUpdated(double latitude, double longitude);
    // accessDenied: the user or the system refused this application the location.
    void failed(bool accessDenied, const QString &message);
};
