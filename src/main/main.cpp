// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-vale: builds one of each service, the app model and the window.
#include "app/AppModel.h"
#include "app/LiveSources.h"
#include "app/MerrinValeApp.h"
#include "app/SettingsStore.h"
#include "net/Clock.h"
#include "net/Endpoints.h"
#include "platform/Defaults.h"
#include "platform/KeyStore.h"
#include "platform/PositionSource.h"
#include "ui/AppBridge.h"
#include "ui/HomeViewModel.h"
#include "ui/MainWindow.h"
#include "ui/PlaceSearchViewModel.h"

#include <QDirIterator>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QQmlApplicationEngine>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(MerrinValePlugin)

namespace {

void registerFonts()
{
    QDirIterator it(QStringLiteral(":/fonts"), { QStringLiteral("*.ttf") });
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
    QGuiApplication::setApplicationVersion(QStringLiteral(MERRIN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.merrinvale.MerrinVale"));
    QGuiApplication app(argc, argv);
    registerFonts();

    SystemClock clock;
    Defaults defaults;
    KeyStore keys;
    QNetworkAccessManager network;
    const Endpoints endpoints = Endpoints::production();

    SettingsStore settings(defaults, keys, clock);
    settings.countDayOfUse();
    const std::unique_ptr<PositionSource> position = PositionSource::createDefault();
    LiveSources sources(network, endpoints, defaults, clock, position.get());
    AppModel model(settings, sources, defaults, clock);
    MerrinValeApp merrin(model, settings);
    HomeViewModel home(model);
    PlaceSearchViewModel search(sources.geocoding(), model);
    AppBridge bridge(model, merrin, home, search);
    AppBridge::setInstance(&bridge);

    QObject::connect(&app, &QGuiApplication::applicationStateChanged, &merrin, [&merrin](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) {
            merrin.becameActive();
        }
    });

    QQmlApplicationEngine engine;
    QObject::connect(
        &engine, &QQmlApplicationEngine::objectCreationFailed, &app, [] { QCoreApplication::exit(1); },
        Qt::QueuedConnection);
    loadMainWindow(engine);
    return QGuiApplication::exec();
}
