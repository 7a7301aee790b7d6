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
#include "ui/PlaceSearchViewModel.h"

#include <QCommandLineParser>
#include <QDirIterator>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QtQml/QQmlExtensionPlugin>

#include <cstdio>
#include <memory>
#include <optional>
#include <variant>

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

// What the command line asks for.
struct LaunchOptions
{
    Endpoints endpoints = Endpoints::production();
    std::optional<QDateTime> start; // where the clock starts (it runs on); the system's time without it
};

// The options, or what is wrong with them. --help, --version and unknown options end the
// program inside.
std::variant<LaunchOptions, QString> readCommandLine(const QGuiApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Merrin Vale, a weather app with a presenter."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption endpointsOption(QStringLiteral("endpoints"),
        QStringLiteral("Talk to other servers: FILE is a JSON object mapping endpoint names (openMeteoForecast, nws, "
                       "anthropic, ...) to base URLs."),
        QStringLiteral("FILE"));
    const QCommandLineOption nowOption(QStringLiteral("now"),
        QStringLiteral("Start the clock at TIME, an ISO 8601 time with Z or an offset; it runs on from there."),
        QStringLiteral("TIME"));
    parser.addOptions({ endpointsOption, nowOption });
    parser.process(app);

    LaunchOptions options;
    if (parser.isSet(endpointsOption)) {
        if (const auto problem = options.endpoints.applyOverridesFile(parser.value(endpointsOption))) {
            return *problem;
        }
    }
    if (parser.isSet(nowOption)) {
        options.start = Clock::parseInstant(parser.value(nowOption));
        if (!options.start) {
            return QStringLiteral("--now needs an ISO 8601 time with Z or an offset");
        }
    }
    return options;
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
    const std::variant<LaunchOptions, QString> parsed = readCommandLine(app);
    if (const QString *problem = std::get_if<QString>(&parsed)) {
        std::fprintf(stderr, "merrin-vale: %s\n", qUtf8Printable(*problem));
        return 2;
    }
    const LaunchOptions &options = std::get<LaunchOptions>(parsed);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    registerFonts();

    const std::unique_ptr<Clock> clock = options.start
        ? std::unique_ptr<Clock>(std::make_unique<ShiftedClock>(*options.start))
        : std::make_unique<SystemClock>();
    Defaults defaults;
    KeyStore keys;
    QNetworkAccessManager network;
    const Endpoints &endpoints = options.endpoints;

    SettingsStore settings(defaults, keys, *clock);
    settings.countDayOfUse();
    const std::unique_ptr<PositionSource> position = PositionSource::createDefault();
    LiveSources sources(network, endpoints, defaults, *clock, position.get());
    AppModel model(settings, sources, defaults, *clock);
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
    engine.load(QUrl(QStringLiteral("qrc:/qt/qml/MerrinVale/Main.qml")));
    return QGuiApplication::exec();
}
