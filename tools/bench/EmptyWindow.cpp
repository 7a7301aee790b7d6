// SPDX-License-Identifier: GPL-3.0-or-later
// An empty Qt Quick window from the same Qt as merrin-vale: the yardstick of tools/bench/startup.sh.
// With --report-first-frame it prints, as merrin-vale does, "first-frame-ms" and the wall-clock
// time in milliseconds when its first frame has been swapped to the screen.
#include <QDateTime>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
    engine.load(QUrl(QStringLiteral("qrc:/bench/EmptyWindow.qml")));
    if (engine.rootObjects().isEmpty()) {
        return 1;
    }
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (window != nullptr && QGuiApplication::arguments().contains(QStringLiteral("--report-first-frame"))) {
        QObject::connect(
            window, &QQuickWindow::frameSwapped, window,
            [] {
                std::printf("first-frame-ms %lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
                std::fflush(stdout);
            },
            Qt::SingleShotConnection);
    }
    return QGuiApplication::exec();
}
