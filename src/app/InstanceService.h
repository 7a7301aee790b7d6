// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>

#include <QCoroTask>

#include <functional>
#include <optional>

// The running instance on the session bus: it owns org.merrinvale.MerrinVale and answers
// PlayBriefing, PrepareBriefing (what the desktop actions and `merrin-vale --play-briefing` /
// `--prepare-briefing` ask for), Activate (a second `merrin-vale` raising this one's window) and
// DeliverDailyBriefing (the daily timer's delivery, posted by the running app). Each call is
// answered when its work has finished.
class InstanceService : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.merrinvale.MerrinVale")

public:
    static inline const QString kServiceName = QStringLiteral("org.merrinvale.MerrinVale");
    static inline const QString kObjectPath = QStringLiteral("/org/merrinvale/MerrinVale");

    InstanceService(
        std::function<QCoro::Task<>()> play, std::function<QCoro::Task<bool>()> prepare, QObject *parent = nullptr);

    // What Activate and DeliverDailyBriefing do; without them they only answer.
    void setActivate(std::function<void()> activate) { m_activate = std::move(activate); }
    void setDeliverDailyBriefing(std::function<QCoro::Task<bool>()> deliver) { m_deliver = std::move(deliver); }

    // Exports the methods and takes the name; false when there is no bus or another process
    // holds the name.
    bool registerOn(QDBusConnection bus);

    // Asks the running instance for one of its methods and waits for its answer: nothing when
    // no instance runs, else whether the call succeeded.
    [[nodiscard]] static std::optional<bool> callRunning(
        QDBusConnection bus, const QString &method, int timeoutMs = 30 * 60 * 1000);

public Q_SLOTS:
    Q_SCRIPTABLE void PlayBriefing();
    Q_SCRIPTABLE void PrepareBriefing();
    Q_SCRIPTABLE void Activate();
    Q_SCRIPTABLE void DeliverDailyBriefing();

private:
    // Answers the current call once the task ends.
    template <typename T>
    void replyWhenDone(QCoro::Task<T> task);

    std::function<QCoro::Task<>()> m_play;
    std::function<QCoro::Task<bool>()> m_prepare;
    std::function<void()> m_activate;
    std::function<QCoro::Task<bool>()> m_deliver;
};
