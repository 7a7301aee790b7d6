// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/SettingsStore.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The voice introduction's two ways out. Either one marks it seen, so it never comes back;
// without a Google key the main one also asks for the settings window, on the voice section.
class VoiceIntro : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(SettingsStore *settings READ settings WRITE setSettings NOTIFY settingsChanged)

public:
    explicit VoiceIntro(SettingsStore *settings = nullptr, QObject *parent = nullptr);

    [[nodiscard]] SettingsStore *settings() const { return m_settings; }
    void setSettings(SettingsStore *settings);

    // The corner button: "Not now", or "Close" once a Google key is saved.
    Q_INVOKABLE void close();
    // The main button: "Give her a better voice", or "Got it" once a Google key is saved.
    Q_INVOKABLE void accept();

Q_SIGNALS:
    void settingsChanged();
    void dismissed();
    // After dismissed(): the settings window should open on the voice section.
    void openSettingsRequested();

private:
    QPointer<SettingsStore> m_settings;
};
