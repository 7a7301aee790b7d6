// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDirIterator>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(MerrinValePlugin)

namespace {

void registerFonts()
{
    QDirIterator it(QStringLiteral(":/fonts"), {QStringLiteral("*.ttf")});
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFontDatabase::addApplicationFont(path) < 0) {
            qWarning().noquote() << "[app] could not register font" << path;
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication::setApplicationName(QStringLiteral("MerrinVale"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Merrin Vale"));
    QGuiApplication::setOrganizationName(QStringLiteral("MerrinVale"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.merrinvale.MerrinVale"));
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    registerFonts();

    QQmlApplicationEngine engine;
    QObject::connect(
        &engine, &QQmlApplicationEngine::objectCreationFailed, &app, [] { QCoreApplication::exit(1); },
        Qt::QueuedConnection);
    engine.load(QUrl(QStringLiteral("qrc:/qt/qml/MerrinVale/Main.qml")));
    return QGuiApplication::exec();
}
