// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QUrl>

void loadMainWindow(QQmlApplicationEngine &engine)
{
    // The screens draw their own looks over the Basic style, and their accessible actions are
    // wired for its controls.
    if (QQuickStyle::name() != QLatin1String("Basic")) { // it cannot change once controls are loaded
        QQuickStyle::setStyle(QStringLiteral("Basic"));
    }
    engine.load(QUrl(QStringLiteral("qrc:/qt/qml/MerrinVale/Main.qml")));
}
