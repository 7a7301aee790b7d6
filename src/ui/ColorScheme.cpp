// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ColorScheme.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcColorScheme, "merrin.ui.colorscheme")

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearance = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

// Read() wraps the value in one more variant than ReadOne() does; take off every layer.
QVariant unwrap(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    return value;
}

} // namespace

ColorScheme::ColorScheme(QObject *parent)
    : ColorScheme(QDBusConnection::sessionBus(), parent)
{ }

ColorScheme::ColorScheme(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
    m_bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"), this,
        SLOT(onSettingChanged(QDBusMessage)));
    read(QStringLiteral("ReadOne"));
}

void ColorScheme::read(const QString &method)
{
    if (!m_bus.isConnected()) {
        Q_EMIT ready();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, method);
    call << appearance << colorSchemeKey;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, method](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *finished;
        if (reply.isError()) {
            // Portals older than version 2 only have Read().
            if (method == QLatin1String("ReadOne") && reply.error().type() == QDBusError::UnknownMethod) {
                read(QStringLiteral("Read"));
                return;
            }
            qCInfo(lcColorScheme) << "[theme] no colour scheme from the desktop portal:" << reply.error().message();
        } else {
            setPreference(reply.value().variant());
        }
        Q_EMIT ready();
    });
}

void ColorScheme::onSettingChanged(const QDBusMessage &change)
{
    const QVariantList arguments = change.arguments(); // group, key, value
    if (arguments.size() == 3 && arguments.at(0).toString() == appearance
        && arguments.at(1).toString() == colorSchemeKey) {
        setPreference(arguments.at(2));
    }
}

void ColorScheme::setPreference(const QVariant &value)
{
    bool ok = false;
    const uint number = unwrap(value).toUInt(&ok);
    const Preference preference = ok && number <= PreferLight ? static_cast<Preference>(number) : NoPreference;
    if (preference != m_preference) {
        m_preference = preference;
        Q_EMIT preferenceChanged();
    }
}
