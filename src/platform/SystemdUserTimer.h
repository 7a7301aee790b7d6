// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QString>
#include <QStringList>

#include <QCoroTask>

#include <optional>

// A daily systemd user timer that runs a command at a wall-clock time, even while the
// application is closed: NAME.timer and NAME.service in the user's unit folder
// (~/.config/systemd/user), enabled and started through the user's systemd manager on the
// session bus (org.freedesktop.systemd1).
class SystemdUserTimer
{
public:
    // command: the program and its arguments, as the service runs them.
    SystemdUserTimer(QString name, QString description, QStringList command, QString unitFolder = defaultUnitFolder(),
        QDBusConnection bus = QDBusConnection::sessionBus());

    [[nodiscard]] static QString defaultUnitFolder();

    [[nodiscard]] QString timerFileName() const { return m_name + QStringLiteral(".timer"); }
    [[nodiscard]] QString serviceFileName() const { return m_name + QStringLiteral(".service"); }
    [[nodiscard]] QString timerText(int hour, int minute) const;
    [[nodiscard]] QString serviceText() const;

    // Writes both units for hour:minute every day, then has systemd reload, enable and start
    // the timer. Nothing on success, else what went wrong (the units are then removed again).
    [[nodiscard]] QCoro::Task<std::optional<QString>> install(int hour, int minute);
    // Stops and disables the timer and deletes both units. Nothing on success, else what went
    // wrong; a missing systemd is no failure when there was nothing to remove.
    [[nodiscard]] QCoro::Task<std::optional<QString>> uninstall();

private:
    [[nodiscard]] QCoro::Task<std::optional<QString>> callManager(QString method, QVariantList arguments);
    void removeFiles() const;

    QString m_name;
    QString m_description;
    QStringList m_command;
    QString m_unitFolder;
    QDBusConnection m_bus;
};
