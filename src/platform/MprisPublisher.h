// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MediaControls.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <memory>

// The briefing player as an MPRIS 2 media player on the session bus
// (org.mpris.MediaPlayer2.MerrinVale), which is what the desktop's media widgets and keyboard
// media keys speak. The bus name is taken when the handlers are set, that is when a briefing
// first plays. Play, Pause and PlayPause answer with a D-Bus error when there is nothing to act
// on; there is no next, previous or seeking.
class MprisPublisher : public QObject, public MediaControls
{
    Q_OBJECT

public:
    static inline const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.MerrinVale");
    static inline const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
    static inline const QString kTrackId = QStringLiteral("/org/merrinvale/MerrinVale/Briefing");

    // desktopEntry: the desktop file's name without ".desktop".
    explicit MprisPublisher(
        QString desktopEntry, QDBusConnection bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);
    ~MprisPublisher() override;

    void setHandlers(Handler handler, PositionReader position) override;
    void publish(const NowPlayingInfo &info) override;
    void clear() override;

    // What the adaptors read.
    [[nodiscard]] QString desktopEntry() const { return m_desktopEntry; }
    [[nodiscard]] QString playbackStatus() const { return m_status; }
    [[nodiscard]] QVariantMap metadata() const { return m_metadata; }
    [[nodiscard]] qlonglong positionUs() const;
    [[nodiscard]] bool canControl() const { return static_cast<bool>(m_handler); }
    [[nodiscard]] QDBusConnection bus() const { return m_bus; }
    bool run(Command command);

private:
    void announce(const QVariantMap &changed);

    QString m_desktopEntry;
    QDBusConnection m_bus;
    Handler m_handler;
    PositionReader m_position;
    bool m_registered = false;
    QString m_status = QStringLiteral("Stopped");
    QVariantMap m_metadata;
};
