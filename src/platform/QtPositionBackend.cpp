// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPositionBackend.h"

#include "platform/Log.h"

#include <QDebug>
#include <QGeoPositionInfo>
#include <QGeoPositionInfoSource>
#include <QVariantMap>

namespace {

QString errorText(QGeoPositionInfoSource::Error error)
{
    switch (error) {
    case QGeoPositionInfoSource::AccessError:
        return QStringLiteral("Location access was denied.");
    case QGeoPositionInfoSource::ClosedError:
        return QStringLiteral("The location service closed.");
    case QGeoPositionInfoSource::UpdateTimeoutError:
        return QStringLiteral("The location service gave no position in time.");
    case QGeoPositionInfoSource::UnknownSourceError:
    case QGeoPositionInfoSource::NoError:
        break;
    }
    return QStringLiteral("The location service failed.");
}

} // namespace

QtPositionBackend::QtPositionBackend(QGeoPositionInfoSource *source, QObject *parent)
    : PositionBackend(parent)
    , m_source(source)
{
    m_source->setParent(this);
    // Network-based positioning: city-block to kilometre accuracy is all a forecast needs.
    m_source->setPreferredPositioningMethods(QGeoPositionInfoSource::NonSatellitePositioningMethods);
    connect(m_source, &QGeoPositionInfoSource::positionUpdated, this, [this](const QGeoPositionInfo &info) {
        if (info.isValid() && info.coordinate().isValid()) {
            Q_EMIT positionUpdated(info.coordinate().latitude(), info.coordinate().longitude());
        }
    });
    connect(m_source, &QGeoPositionInfoSource::errorOccurred, this, [this](QGeoPositionInfoSource::Error error) {
        Q_EMIT failed(error == QGeoPositionInfoSource::AccessError, errorText(error));
    });
}

QtPositionBackend::~QtPositionBackend() = default;

std::unique_ptr<PositionBackend> QtPositionBackend::createDefault(const QString &desktopId)
{
    QVariantMap parameters;
    parameters.insert(QStringLiteral("desktopId"), desktopId);
    QGeoPositionInfoSource *source = QGeoPositionInfoSource::createDefaultSource(parameters, nullptr);
    if (source == nullptr) {
        qCInfo(platformLog) << "[location] no location service on this system";
        return nullptr;
    }
    qCInfo(platformLog) << "[location] using the location service" << source->sourceName();
    return std::make_unique<QtPositionBackend>(source);
}

void QtPositionBackend::requestUpdate(std::chrono::milliseconds timeout)
{
    m_source->requestUpdate(static_cast<int>(timeout.count()));
}
