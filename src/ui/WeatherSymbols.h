// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The symbol names of weather codes, for the weather icon. Needs nothing of the application, so
// an icon works on any screen, loaded on its own too.
class WeatherSymbols : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    // The symbol of a WMO weather code by day or night ("cloud.bolt.rain.fill").
    Q_INVOKABLE static QString symbol(int code, bool isDay);
};
