// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-vale: reads the command line, then builds the whole app (AppRoot) and runs it.
#include "main/AppRoot.h"

#include "app/AppModel.h"
#include "app/InstanceService.h"
#include "app/NotificationService.h"
#include "net/Clock.h"
#include "net/Detached.h"
#include "platform/Defaults.h"
#include "platform/DesktopNotifier.h"
#include "ui/HomeViewModel.h"
#include "voice/BriefingAudioPlayer.h"

#include <QCommandLineParser>
#include <QDBusConnection>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QQuickWindow>
#include <QSocketNotifier>
#include <QTimer>

#include <QCoroSignal>
#include <QCoroTask>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <memory>
#include <variant>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kDeliverDailyBriefing = QStringLiteral("deliver-daily-briefing");

struct CommandLine
{
    LaunchOptions launch;
    bool reportFirstFrame = false;
    // The running instance's method this run asks for: Activate (show the window),
    // PlayBriefing or PrepareBriefing.
    QString action = QStringLiteral("Activate");
};

// The options, or what is wrong with them. --help, --version and unknown options end the
// program inside.
std::variant<CommandLine, QString> readCommandLine(const QGuiApplication &app)
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
    // For tools/bench/startup.sh: see reportFirstFrame().
    QCommandLineOption firstFrameOption(
        QStringLiteral("report-first-frame"), QStringLiteral("Report the first frame."));
    firstFrameOption.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption playOption(QStringLiteral("play-briefing"),
        QStringLiteral("Play the weather briefing: in the running Merrin Vale, or else without a window."));
    const QCommandLineOption prepareOption(QStringLiteral("prepare-briefing"),
        QStringLiteral("Prepare the weather briefing's audio: in the running Merrin Vale, or else without a window."));
    // Only listed here: main() hands this one to deliverDailyBriefing() before any window exists.
    const QCommandLineOption deliverOption(
        kDeliverDailyBriefing, QStringLiteral("Post the daily briefing notification, then exit."));
    parser.addOptions(
        { demoOption, endpointsOption, nowOption, playOption, prepareOption, deliverOption, firstFrameOption });
    parser.process(app);

    CommandLine options;
    options.reportFirstFrame = parser.isSet(firstFrameOption);
    LaunchOptions &launch = options.launch;
    launch.demo = parser.isSet(demoOption);
    if (parser.isSet(playOption) && parser.isSet(prepareOption)) {
        return QStringLiteral("--play-briefing and --prepare-briefing go one at a time");
    }
    if (parser.isSet(playOption)) {
        options.action = QStringLiteral("PlayBriefing");
    } else if (parser.isSet(prepareOption)) {
        options.action = QStringLiteral("PrepareBriefing");
    }
    if (launch.demo && options.action != QLatin1StringView("Activate")) {
        return QStringLiteral("--demo shows the window; it takes no --play-briefing or --prepare-briefing");
    }
    if (parser.isSet(endpointsOption)) {
        if (launch.demo) {
            return QStringLiteral("--demo answers every request itself; it takes no --endpoints");
        }
        if (const auto problem = launch.endpoints.applyOverridesFile(parser.value(endpointsOption))) {
            return *problem;
        }
    }
    if (parser.isSet(nowOption)) {
        launch.start = Clock::parseInstant(parser.value(nowOption));
        if (!launch.start) {
            return QStringLiteral("--now needs an ISO 8601 time with Z or an offset");
        }
    }
    return options;
}

// Prints "first-frame-ms" and the wall-clock time in milliseconds once the first frame that
// shows the home screen's cards and briefing has been swapped to the screen.
void reportFirstFrame(AppRoot &root)
{
    auto reported = std::make_shared<bool>(false);
    QObject::connect(root.window(), &QQuickWindow::frameSwapped, root.window(), [&root, reported] {
        if (*reported || root.home().state() != HomeViewModel::State::Cards || !root.model().briefing()) {
            return;
        }
        *reported = true;
        std::printf("first-frame-ms %lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        std::fflush(stdout);
    });
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

QCoro::Task<> postDailyBriefing(Defaults &defaults, DesktopNotifier &notifier, int &exitCode)
{
    const QString avatar = QStringLiteral(":/images/merrinavatar-256.png");
    try {
        const bool posted = co_await NotificationService::deliverStoredDailyBriefing(defaults, notifier, avatar);
        exitCode = posted ? 0 : 1;
    } catch (...) {
        exitCode = 1;
    }
    QCoreApplication::quit();
}

// merrin-vale --deliver-daily-briefing, run by the daily timer with no window and perhaps no
// display: the running app posts the daily briefing when there is one, else this process does.
int deliverDailyBriefing(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments != QStringList { QStringLiteral("--") + kDeliverDailyBriefing }) {
        std::fprintf(stderr, "merrin-vale: --deliver-daily-briefing takes no other options\n");
        return 2;
    }
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (const auto forwarded = InstanceService::callRunning(bus, QStringLiteral("DeliverDailyBriefing"), 60000)) {
        return *forwarded ? 0 : 1;
    }
    Defaults defaults;
    DesktopNotifier notifier(QStringLiteral("Merrin Vale"), QStringLiteral("org.merrinvale.MerrinVale"), bus);
    int exitCode = 1;
    QTimer::singleShot(0, &app, [&] { net::startDetached(postDailyBriefing(defaults, notifier, exitCode), {}); });
    QCoreApplication::exec();
    return exitCode;
}

// Without a graphics device (a virtual machine without GPU, a remote X display, Xvfb), OpenGL is
// Mesa's llvmpipe, which compiles every shader with LLVM on the CPU: the first frame takes several
// times longer and the process holds some 100 MiB more than with Qt Quick's own software
// renderer, which draws these cards just as well. A GPU shows itself as a DRM render node, or as
// NVIDIA's control device. QT_QUICK_BACKEND and QSG_RHI_BACKEND still choose, when set.
void chooseRenderer()
{
    if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND") || qEnvironmentVariableIsSet("QSG_RHI_BACKEND")) {
        return;
    }
    const bool renderNode = !QDir(QStringLiteral("/dev/dri"))
                                 .entryList({ QStringLiteral("renderD*") }, QDir::System | QDir::Files)
                                 .isEmpty();
    if (!renderNode && !QFile::exists(QStringLiteral("/dev/nvidiactl"))) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    }
}

constexpr std::chrono::seconds kLingerAfterBriefing { 30 };

// Plays or prepares the briefing in a run without a window, then ends the run unless the window
// has been asked for meanwhile.
QCoro::Task<> runWithoutWindow(AppRoot &root, QString action)
{
    co_await root.model().start();
    if (action == QLatin1StringView("PlayBriefing")) {
        co_await root.playBriefing();
        // Stay while Merrin talks, and a while after she stops, so the music can fade and a
        // pause from the media keys can be resumed.
        BriefingAudioPlayer &player = root.player();
        while (true) {
            if (player.isPlaying()) {
                co_await qCoro(&player, &BriefingAudioPlayer::isPlayingChanged);
                continue;
            }
            const auto resumed = co_await qCoro(&player, &BriefingAudioPlayer::isPlayingChanged, kLingerAfterBriefing);
            if (!resumed) {
                break;
            }
        }
    } else {
        co_await root.prepareBriefing();
    }
    if (root.window() == nullptr) {
        QCoreApplication::quit();
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
    for (int i = 1; i < argc; ++i) {
        if (QString::fromLocal8Bit(argv[i]) == QStringLiteral("--") + kDeliverDailyBriefing) {
            return deliverDailyBriefing(argc, argv);
        }
    }
    chooseRenderer();
    QGuiApplication app(argc, argv);

    const std::variant<CommandLine, QString> parsed = readCommandLine(app);
    if (const QString *problem = std::get_if<QString>(&parsed)) {
        std::fprintf(stderr, "merrin-vale: %s\n", qUtf8Printable(*problem));
        return 2;
    }
    CommandLine options = std::get<CommandLine>(parsed);
    options.launch.preloadWindow = options.action == QLatin1StringView("Activate");

    // One instance: a running one is asked instead (shows its window, or plays or prepares).
    if (!options.launch.demo) {
        if (const auto forwarded = InstanceService::callRunning(QDBusConnection::sessionBus(), options.action)) {
            return *forwarded ? 0 : 1;
        }
    }

    std::unique_ptr<AppRoot> root;
    try {
        root = std::make_unique<AppRoot>(options.launch);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "merrin-vale: %s\n", error.what());
        return 1;
    }
    root->registerInstance();
    quitOnSignals(app);
    if (options.action != QLatin1StringView("Activate")) {
        net::startDetached(runWithoutWindow(*root, options.action), options.action);
        return QGuiApplication::exec();
    }
    if (!root->load()) {
        return 1;
    }
    if (options.reportFirstFrame) {
        reportFirstFrame(*root);
    }
    return QGuiApplication::exec();
}
