// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QQmlEngine>

// The desktop's light or dark preference, as the XDG desktop portal's appearance setting
// "color-scheme" says it: read once at start and followed while the app runs. Without a portal,
// or when the desktop has no preference, `preference` stays NoPreference and the theme decides
// from the palette.
class ColorScheme : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(Preference preference READ preference NOTIFY preferenceChanged)

public:
    // The portal's own values.
    enum Preference { NoPreference = 0, PreferDark = 1, PreferLight = 2 };
    Q_ENUM(Preference)

    // Asks the portal on the given bus; QML's singleton uses the session bus.
    explicit ColorScheme(QObject *parent = nullptr);
    explicit ColorScheme(const QDBusConnection &bus, QObject *parent = nullptr);

    [[nodiscard]] Preference preference() const { return m_preference; }

Q_SIGNALS:
    void preferenceChanged();
    // The first reading is over, whether a portal answered or not.
    void ready();

private Q_SLOTS:
    void onSettingChanged(const QDBusMessage &change);

private:
    void read(const QString &method);
    void setPreference(const QVariant &value);

    QDBusConnection m_bus;
    Preference m_preference = NoPreference;
};
