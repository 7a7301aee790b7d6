// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemdUserTimer.h"

#include "platform/Log.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <QCoroDBus>

namespace {

const QString kManagerService = QStringLiteral("org.freedesktop.systemd1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/systemd1");
const QString kManagerInterface = QStringLiteral("org.freedesktop.systemd1.Manager");

// One word of an ExecStart line: "%" is doubled (systemd's specifiers); a word with white
// space, quotes or backslashes is quoted.
QString execWord(QString word)
{
    word.replace(u'%', QStringLiteral("%%"));
    static const QRegularExpression plain(QStringLiteral("^[^\\s\"'\\\\;]+$"));
    if (plain.match(word).hasMatch()) {
        return word;
    }
    word.replace(u'\\', QStringLiteral("\\\\"));
    word.replace(u'"', QStringLiteral("\\\""));
    return u'"' + word + u'"';
}

bool writeFile(const QString &path, const QString &text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
}

} // namespace

SystemdUserTimer::SystemdUserTimer(
    QString name, QString description, QStringList command, QString unitFolder, QDBusConnection bus)
    : m_name(std::move(name))
    , m_description(std::move(description))
    , m_command(std::move(command))
    , m_unitFolder(std::move(unitFolder))
    , m_bus(std::move(bus))
{ }

QString SystemdUserTimer::defaultUnitFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/systemd/user");
}

QString SystemdUserTimer::timerText(int hour, int minute) const
{
    return QStringLiteral("[Unit]\nDescription=%1\n\n[Timer]\nOnCalendar=*-*-* %2:%3:00\nAccuracySec=1s\n\n"
                          "[Install]\nWantedBy=timers.target\n")
        .arg(m_description)
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(minute, 2, 10, QLatin1Char('0'));
}

QString SystemdUserTimer::serviceText() const
{
    QStringList words;
    for (const QString &word : m_command) {
        words.append(execWord(word));
    }
    return QStringLiteral("[Unit]\nDescription=%1\n\n[Service]\nType=oneshot\nExecStart=%2\n")
        .arg(m_description, words.join(u' '));
}

QCoro::Task<std::optional<QString>> SystemdUserTimer::callManager(QString method, QVariantList arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kManagerService, kManagerPath, kManagerInterface, method);
    call.setArguments(arguments);
    const QDBusMessage reply = co_await m_bus.asyncCall(call);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        co_return std::nullopt;
    }
    co_return method + QStringLiteral(": ") + QDBusError(reply).message();
}

QCoro::Task<std::optional<QString>> SystemdUserTimer::install(int hour, int minute)
{
    if (!QDir().mkpath(m_unitFolder)) {
        co_return QStringLiteral("cannot make ") + m_unitFolder;
    }
    const QDir folder(m_unitFolder);
    if (!writeFile(folder.filePath(serviceFileName()), serviceText())
        || !writeFile(folder.filePath(timerFileName()), timerText(hour, minute))) {
        removeFiles();
        co_return QStringLiteral("cannot write the units in ") + m_unitFolder;
    }
    // The arguments are made before each co_await: GCC 12 miscompiles braced lists inside one.
    const QVariantList enableArguments { QStringList { timerFileName() }, QVariant(false), QVariant(true) };
    const QVariantList startArguments { timerFileName(), QStringLiteral("replace") };
    std::optional<QString> failure = co_await callManager(QStringLiteral("Reload"), QVariantList());
    if (!failure) {
        failure = co_await callManager(QStringLiteral("EnableUnitFiles"), enableArguments);
    }
    if (!failure) {
        failure = co_await callManager(QStringLiteral("StartUnit"), startArguments);
    }
    if (failure) {
        removeFiles();
    }
    co_return failure;
}

QCoro::Task<std::optional<QString>> SystemdUserTimer::uninstall()
{
    const QDir folder(m_unitFolder);
    const bool hadUnits = folder.exists(timerFileName()) || folder.exists(serviceFileName());
    const QVariantList stopArguments { timerFileName(), QStringLiteral("replace") };
    const QVariantList disableArguments { QStringList { timerFileName() }, QVariant(false) };
    // A timer that is not running is no failure.
    (void)co_await callManager(QStringLiteral("StopUnit"), stopArguments);
    const std::optional<QString> disabled = co_await callManager(QStringLiteral("DisableUnitFiles"), disableArguments);
    removeFiles();
    const std::optional<QString> reloaded = co_await callManager(QStringLiteral("Reload"), QVariantList());
    if (!hadUnits) {
        co_return std::nullopt;
    }
    co_return disabled ? disabled : reloaded;
}

void SystemdUserTimer::removeFiles() const
{
    const QDir folder(m_unitFolder);
    QFile::remove(folder.filePath(timerFileName()));
    QFile::remove(folder.filePath(serviceFileName()));
}
