// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/AppRoot.h"

#include "app/AppModel.h"
#include "app/InstanceService.h"
#include "app/LiveSources.h"
#include "app/MerrinValeApp.h"
#include "app/NotificationService.h"
#include "app/SettingsStore.h"
#include "main/DemoNetwork.h"
#include "main/DemoScenario.h"
#include "net/Clock.h"
#include "platform/AudioOutput.h"
#include "platform/Defaults.h"
#include "platform/DesktopNotifier.h"
#include "platform/KeyStore.h"
#include "platform/MprisPublisher.h"
#include "platform/PositionSource.h"
#include "platform/SpeechEngine.h"
#include "platform/SystemdUserTimer.h"
#include "ui/AppBridge.h"
#include "ui/BriefingViewModel.h"
#include "ui/HomeViewModel.h"
#include "ui/MainWindow.h"
#include "ui/PlaceSearchViewModel.h"
#include "voice/BriefingAudioPlayer.h"
#include "voice/GoogleTtsService.h"
#include "voice/SpokenBriefing.h"

#include <QDBusConnection>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtQml/QQmlExtensionPlugin>

#include <stdexcept>

Q_IMPORT_QML_PLUGIN(MerrinValePlugin)

namespace {

// Never sent anywhere: the demo answers the Anthropic requests itself.
const QString kDemoAnthropicKey = QStringLiteral("demo-placeholder-key");

const QString kAppId = QStringLiteral("org.merrinvale.MerrinVale");
const QString kAvatar = QStringLiteral(":/images/merrinavatar-256.png");

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

// A bundled file as a file on disk, for the players and the desktop that cannot read the
// application's resources: copied once per run into the user's runtime folder. Empty when the
// resource is missing or cannot be copied.
QString bundledFileOnDisk(const QString &resource)
{
    if (!QFile::exists(resource)) {
        return {};
    }
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty()) {
        base = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    }
    const QDir folder(base + QStringLiteral("/merrin-vale/assets"));
    if (!folder.mkpath(QStringLiteral("."))) {
        return {};
    }
    const QString target = folder.filePath(QFileInfo(resource).fileName());
    if (QFileInfo(target).size() != QFileInfo(resource).size()) {
        QFile::remove(target);
        if (!QFile::copy(resource, target)) {
            return {};
        }
    }
    return target;
}

BriefingAudioPlayer::Assets bundledAudio()
{
    const auto first = [](std::initializer_list<const char *> names) {
        for (const char *name : names) {
            if (const QString path = bundledFileOnDisk(QString::fromLatin1(name)); !path.isEmpty()) {
                return path;
            }
        }
        return QString();
    };
    BriefingAudioPlayer::Assets assets;
    assets.stinger = first({ ":/audio/MerrinIntroStinger.mp3" });
    assets.holding = first({ ":/audio/MerrinHolding.wav", ":/audio/MerrinHolding.mp3" });
    assets.unavailable = first({ ":/audio/MerrinUnavailable.wav", ":/audio/MerrinUnavailable.mp3" });
    assets.artwork = first({ ":/images/merrinavatar-256.png", ":/images/merrinavatar.png" });
    return assets;
}

} // namespace

// Built in this order and torn down in the reverse one: the window first, the scenario last.
struct AppRoot::Parts
{
    explicit Parts(const LaunchOptions &options);

    bool demo;
    std::unique_ptr<DemoScenario> scenario;
    std::unique_ptr<QTemporaryDir> demoFolder; // the demo's own settings, removed at exit
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Defaults> defaults;
    std::unique_ptr<KeyStore> keys;
    std::unique_ptr<QNetworkAccessManager> network;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<PositionSource> position;
    std::unique_ptr<DesktopNotifier> notifier;
    std::unique_ptr<SystemdUserTimer> dailyTimer; // none in the demo: it leaves the user's units alone
    std::unique_ptr<NotificationService> notifications;
    std::unique_ptr<LiveSources> sources;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<GoogleTtsService> tts;
    std::unique_ptr<AudioOutput> audio;
    std::unique_ptr<SpeechEngine> speech;
    std::unique_ptr<MprisPublisher> mediaControls;
    std::unique_ptr<BriefingAudioPlayer> player;
    std::unique_ptr<SpokenBriefing> spoken;
    std::unique_ptr<MerrinValeApp> app;
    std::unique_ptr<HomeViewModel> home;
    std::unique_ptr<PlaceSearchViewModel> search;
    std::unique_ptr<BriefingViewModel> briefing;
    std::unique_ptr<AppBridge> bridge;
    std::unique_ptr<InstanceService> instance;
    std::unique_ptr<QQmlApplicationEngine> engine;
};

AppRoot::Parts::Parts(const LaunchOptions &options)
    : demo(options.demo)
{
    if (options.preloadWindow) {
        engine = std::make_unique<QQmlApplicationEngine>();
        preloadMainWindow(*engine);
    }
    std::optional<QDateTime> start = options.start;
    std::unique_ptr<QNetworkAccessManager> aiNetwork;
    if (demo) {
        scenario = std::make_unique<DemoScenario>(QStringLiteral(":/demo"), options.endpoints);
        demoFolder = std::make_unique<QTemporaryDir>();
        if (!demoFolder->isValid()) {
            throw std::runtime_error("cannot make a temporary folder for the demo's settings");
        }
        start = start.value_or(scenario->instant());
        defaults = std::make_unique<Defaults>(demoFolder->filePath(QStringLiteral("settings.conf")));
        keys =
            std::make_unique<KeyStore>(KeyStore::MemoryOnly { { { KeyStore::kAnthropicAccount, kDemoAnthropicKey } } });
        network = std::make_unique<DemoNetwork>(*scenario);
        aiNetwork = std::make_unique<DemoNetwork>(*scenario);
    } else {
        defaults = std::make_unique<Defaults>();
        keys = std::make_unique<KeyStore>();
        network = std::make_unique<QNetworkAccessManager>();
        position = PositionSource::createDefault();
    }
    clock = start ? std::unique_ptr<Clock>(std::make_unique<ShiftedClock>(*start)) : std::make_unique<SystemClock>();

    settings = std::make_unique<SettingsStore>(*defaults, *keys, *clock);
    // The demo opens at its place, past the welcome sheet; a demo run is no day of use.
    if (demo) {
        settings->setLastLocation(scenario->place());
        settings->setWelcomed(true);
    } else {
        settings->countDayOfUse();
    }
    notifier = std::make_unique<DesktopNotifier>(QStringLiteral("Merrin Vale"), kAppId);
    if (!demo) {
        dailyTimer = std::make_unique<SystemdUserTimer>(kAppId + QStringLiteral("-daily"),
            QStringLiteral("Merrin Vale's daily briefing"),
            QStringList { QCoreApplication::applicationFilePath(), QStringLiteral("--deliver-daily-briefing") });
    }
    notifications =
        std::make_unique<NotificationService>(*settings, *defaults, *notifier, dailyTimer.get(), *clock, kAvatar);
    sources = std::make_unique<LiveSources>(
        *network, options.endpoints, *defaults, *clock, position.get(), std::move(aiNetwork));
    sources->setNotifications(notifications.get());
    model = std::make_unique<AppModel>(*settings, *sources, *defaults, *clock);
    // The demo keeps its voice files with its settings, out of the user's cache.
    tts = std::make_unique<GoogleTtsService>(options.endpoints.gemini, *clock, demo ? demoFolder->path() : QString());
    audio = options.audio ? options.audio() : std::make_unique<MediaAudioOutput>();
    speech = options.speech ? options.speech() : std::make_unique<SystemSpeechEngine>();
    mediaControls = std::make_unique<MprisPublisher>(kAppId);
    player = std::make_unique<BriefingAudioPlayer>(*audio, *speech, mediaControls.get(), bundledAudio());
    spoken = std::make_unique<SpokenBriefing>(
        *model, *tts, *player, [keyStore = keys.get()] { return keyStore->readKey(KeyStore::kGoogleAccount); }, *clock);
    model->setSpokenBriefing(spoken.get());
    app = std::make_unique<MerrinValeApp>(*model, *settings);
    home = std::make_unique<HomeViewModel>(*model);
    search = std::make_unique<PlaceSearchViewModel>(sources->geocoding(), *model);
    briefing = std::make_unique<BriefingViewModel>(*model, *clock);
    bridge = std::make_unique<AppBridge>(*model, *app, *home, *search, *briefing, *spoken, *player);
    AppBridge::setInstance(bridge.get());

    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, app.get(), [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) {
            app->becameActive();
        }
    });
}

AppRoot::AppRoot(const LaunchOptions &options)
    : m_parts(std::make_unique<Parts>(options))
{
    QObject::connect(m_parts->notifications.get(), &NotificationService::activated, m_parts->notifications.get(),
        [this] { raise(); });
}

AppRoot::~AppRoot()
{
    m_parts->engine.reset();
    AppBridge::setInstance(nullptr);
}

bool AppRoot::load()
{
    registerFonts();
    if (!m_parts->engine) {
        m_parts->engine = std::make_unique<QQmlApplicationEngine>();
    }
    loadMainWindow(*m_parts->engine);
    QQuickWindow *main = window();
    if (main != nullptr) {
        keepWindowPlacement(*main, *m_parts->settings);
    }
    if (main != nullptr && m_parts->demo) {
        // The display name too, or the desktop would append it to the title.
        const QString title = QStringLiteral("Merrin Vale — Demo");
        QGuiApplication::setApplicationDisplayName(title);
        main->setTitle(title);
    }
    return main != nullptr;
}

void AppRoot::raise()
{
    QQuickWindow *main = window();
    if (main == nullptr) {
        if (!load()) {
            qWarning().noquote() << "[app] the main window could not be loaded";
        }
        return;
    }
    main->setWindowStates(main->windowStates() & ~Qt::WindowMinimized);
    main->show();
    main->raise();
    main->requestActivate();
}

bool AppRoot::registerInstance()
{
    if (m_parts->demo) {
        return false;
    }
    m_parts->instance =
        std::make_unique<InstanceService>([this] { return playBriefing(); }, [this] { return prepareBriefing(); });
    m_parts->instance->setActivate([this] { raise(); });
    m_parts->instance->setDeliverDailyBriefing([this] { return m_parts->notifications->deliverDailyBriefing(); });
    if (!m_parts->instance->registerOn(QDBusConnection::sessionBus())) {
        qInfo().noquote() << "[app] not answering on the session bus: no bus, or another instance holds the name";
        m_parts->instance.reset();
        return false;
    }
    return true;
}

QCoro::Task<> AppRoot::playBriefing()
{
    return m_parts->spoken->play();
}

QCoro::Task<bool> AppRoot::prepareBriefing()
{
    return m_parts->spoken->prewarm();
}

QQuickWindow *AppRoot::window() const
{
    if (!m_parts->engine || m_parts->engine->rootObjects().isEmpty()) {
        return nullptr;
    }
    return qobject_cast<QQuickWindow *>(m_parts->engine->rootObjects().constFirst());
}

QQmlApplicationEngine &AppRoot::engine() const
{
    return *m_parts->engine;
}

AppModel &AppRoot::model() const
{
    return *m_parts->model;
}

HomeViewModel &AppRoot::home() const
{
    return *m_parts->home;
}

SettingsStore &AppRoot::settings() const
{
    return *m_parts->settings;
}

BriefingAudioPlayer &AppRoot::player() const
{
    return *m_parts->player;
}

NotificationService &AppRoot::notifications() const
{
    return *m_parts->notifications;
}
