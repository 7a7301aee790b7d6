// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MprisPublisher.h"

#include "platform/Log.h"

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QUrl>

namespace {

const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

// org.mpris.MediaPlayer2: who the player is.
class RootAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ no)
    Q_PROPERTY(bool CanRaise READ no)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ none)
    Q_PROPERTY(QStringList SupportedMimeTypes READ none)

public:
    explicit RootAdaptor(MprisPublisher *publisher)
        : QDBusAbstractAdaptor(publisher)
        , m_publisher(publisher)
    { }
    [[nodiscard]] bool no() const { return false; }
    [[nodiscard]] QString identity() const { return QStringLiteral("Merrin Vale"); }
    [[nodiscard]] QString desktopEntry() const { return m_publisher->desktopEntry(); }
    [[nodiscard]] QStringList none() const { return {}; }

public Q_SLOTS:
    void Raise() { }
    void Quit() { }

private:
    MprisPublisher *m_publisher;
};

// org.mpris.MediaPlayer2.Player: what is playing, and the play and pause commands.
class PlayerAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ one)
    Q_PROPERTY(double MinimumRate READ one)
    Q_PROPERTY(double MaximumRate READ one)
    Q_PROPERTY(double Volume READ one)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ no)
    Q_PROPERTY(bool CanGoPrevious READ no)
    Q_PROPERTY(bool CanSeek READ no)
    Q_PROPERTY(bool CanPlay READ canControl)
    Q_PROPERTY(bool CanPause READ canControl)
    Q_PROPERTY(bool CanControl READ canControl)

public:
    explicit PlayerAdaptor(MprisPublisher *publisher)
        : QDBusAbstractAdaptor(publisher)
        , m_publisher(publisher)
    { }
    [[nodiscard]] QString playbackStatus() const { return m_publisher->playbackStatus(); }
    [[nodiscard]] double one() const { return 1.0; }
    [[nodiscard]] QVariantMap metadata() const { return m_publisher->metadata(); }
    [[nodiscard]] qlonglong position() const { return m_publisher->positionUs(); }
    [[nodiscard]] bool no() const { return false; }
    [[nodiscard]] bool canControl() const { return m_publisher->canControl(); }

public Q_SLOTS:
    void Play(const QDBusMessage &message) { answer(MediaControls::Command::Play, message); }
    void Pause(const QDBusMessage &message) { answer(MediaControls::Command::Pause, message); }
    void PlayPause(const QDBusMessage &message) { answer(MediaControls::Command::PlayPause, message); }
    void Stop() { m_publisher->run(MediaControls::Command::Stop); }
    void Next() { }
    void Previous() { }
    void Seek(qlonglong) { }
    void SetPosition(const QDBusObjectPath &, qlonglong) { }
    void OpenUri(const QString &) { }

Q_SIGNALS:
    void Seeked(qlonglong position);

private:
    void answer(MediaControls::Command command, const QDBusMessage &message)
    {
        if (m_publisher->run(command)) {
            return;
        }
        message.setDelayedReply(true);
        m_publisher->bus().send(
            message.createErrorReply(QStringLiteral("org.mpris.MediaPlayer2.Player.Error.NothingToPlay"),
                QStringLiteral("There is no briefing to act on.")));
    }

    MprisPublisher *m_publisher;
};

} // namespace

MprisPublisher::MprisPublisher(QString desktopEntry, QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_desktopEntry(std::move(desktopEntry))
    , m_bus(std::move(bus))
{
    new RootAdaptor(this);
    new PlayerAdaptor(this);
}

MprisPublisher::~MprisPublisher()
{
    if (m_registered) {
        m_bus.unregisterObject(kObjectPath);
        m_bus.unregisterService(kServiceName);
    }
}

void MprisPublisher::setHandlers(Handler handler, PositionReader position)
{
    m_handler = std::move(handler);
    m_position = std::move(position);
    if (m_registered) {
        return;
    }
    if (!m_bus.isConnected()) {
        qCInfo(platformLog).noquote() << "[audio] no session bus: media keys are not available";
        return;
    }
    if (!m_bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)
        || !m_bus.registerService(kServiceName)) {
        qCWarning(platformLog).noquote() << "[audio] media controls not published:" << m_bus.lastError().message();
        m_bus.unregisterObject(kObjectPath);
        return;
    }
    m_registered = true;
}

qlonglong MprisPublisher::positionUs() const
{
    const auto ms = m_position ? m_position() : std::nullopt;
    return ms ? *ms * 1000 : 0;
}

bool MprisPublisher::run(Command command)
{
    return m_handler && m_handler(command);
}

void MprisPublisher::publish(const NowPlayingInfo &info)
{
    QVariantMap metadata {
        { QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(kTrackId)) },
        { QStringLiteral("xesam:title"), info.title },
        { QStringLiteral("xesam:artist"), QStringList { info.artist } },
        { QStringLiteral("xesam:album"), info.album },
    };
    if (info.durationMs && !info.liveStream) {
        metadata.insert(QStringLiteral("mpris:length"), qlonglong(*info.durationMs * 1000));
    }
    if (!info.artworkPath.isEmpty()) {
        metadata.insert(QStringLiteral("mpris:artUrl"), QUrl::fromLocalFile(info.artworkPath).toString());
    }
    m_metadata = metadata;
    m_status = info.playing ? QStringLiteral("Playing") : QStringLiteral("Paused");
    announce({ { QStringLiteral("Metadata"), m_metadata }, { QStringLiteral("PlaybackStatus"), m_status },
        { QStringLiteral("CanPlay"), canControl() }, { QStringLiteral("CanPause"), canControl() } });
}

void MprisPublisher::clear()
{
    m_metadata.clear();
    m_status = QStringLiteral("Stopped");
    announce({ { QStringLiteral("Metadata"), m_metadata }, { QStringLiteral("PlaybackStatus"), m_status } });
}

void MprisPublisher::announce(const QVariantMap &changed)
{
    if (!m_registered) {
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(
        kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    m_bus.send(signal);
}

#include "MprisPublisher.moc"
