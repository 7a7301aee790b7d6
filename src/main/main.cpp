// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-vale: reads the command line, then builds the whole app (AppRoot) and runs it.
#include "main/AppRoot.h"

#include "net/Clock.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <exception>
#include <memory>
#include <variant>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The options, or what is wrong with them. --help, --version and unknown options end the
// program inside.
std::variant<LaunchOptions, QString> readCommandLine(const QGuiApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Merrin Vale, a weather app with a presenter."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption demoOption(QStringLiteral("demo"),
        QStringLiteral("Show the whole app offline, from a recorded afternoon in Phoenix. Nothing is sent anywhere, "
                       "and your own settings and keyring are left alone."));
    const QCommandLineOption endpointsOption(QStringLiteral("endpoints"),
        QStringLiteral("Talk to other servers: FILE is a JSON object mapping endpoint names (openMeteoForecast, nws, "
                       "anthropic, ...) to base URLs."),
        QStringLiteral("FILE"));
    const QCommandLineOption nowOption(QStringLiteral("now"),
        QStringLiteral("Start the clock at TIME, an ISO 8601 time with Z or an offset; it runs on from there."),
        QStringLiteral("TIME"));
    parser.addOptions({ demoOption, endpointsOption, nowOption });
    parser.process(app);

    LaunchOptions options;
    options.demo = parser.isSet(demoOption);
    if (parser.isSet(endpointsOption)) {
        if (options.demo) {
            return QStringLiteral("--demo answers every request itself; it takes no --endpoints");
        }
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

// Ctrl+C and a polite kill end the app the way closing its window does, so what it keeps for the
// run (the demo's temporary settings) is cleaned up. The handler only writes to a pipe; the event
// loop reads it and quits.
int g_quitPipe[2] = { -1, -1 };

void quitOnSignals(QGuiApplication &app)
{
    if (pipe2(g_quitPipe, O_CLOEXEC) != 0) {
        return;
    }
    auto *notifier = new QSocketNotifier(g_quitPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    for (const int signal : { SIGINT, SIGTERM }) {
        std::signal(signal, [](int) {
            const char byte = 1;
            (void)!write(g_quitPipe[1], &byte, 1);
        });
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

    const std::variant<LaunchOptions, QString> parsed = readCommandLine(app);
    if (const QString *problem = std::get_if<QString>(&parsed)) {
        std::fprintf(stderr, "merrin-vale: %s\n", qUtf8Printable(*problem));
        return 2;
    }
    const LaunchOptions &options = std::get<LaunchOptions>(parsed);

    std::unique_ptr<AppRoot> root;
    try {
        root = std::make_unique<AppRoot>(options);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "merrin-vale: %s\n", error.what());
        return 1;
    }
    if (!root->load()) {
        return 1;
    }
    quitOnSignals(app);
    return QGuiApplication::exec();
}
