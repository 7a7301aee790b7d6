// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PositionBackend.h"

#include <memory>

class QGeoPositionInfoSource;

// The device position from Qt Positioning (GeoClue 2 on Linux), asked for at the coarse,
// network-based accuracy a weather forecast needs.
class QtPositionBackend final : public PositionBackend
{
    Q_OBJECT

public:
    // Takes ownership of source.
    explicit QtPositionBackend(QGeoPositionInfoSource *source, QObject *parent = nullptr);
    ~QtPositionBackend() override;

    // The system's default source, or null when the system has none.
    [[nodiscard]] static std::unique_ptr<PositionBackend> createDefault(const QString &desktopId);

    void requestUpdate(std::chrono::milliseconds timeout) override;

private:
    QGeoPositionInfoSource *m_source;
};
