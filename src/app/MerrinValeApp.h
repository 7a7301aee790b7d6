// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class AppModel;
class SettingsStore;

// The application's own state beside the model: whether the welcome view is up, and what
// happens when the main window is shown and when the app becomes active.
class MerrinValeApp : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool showWelcome READ showWelcome NOTIFY showWelcomeChanged)

public:
    MerrinValeApp(AppModel &model, SettingsStore &settings, QObject *parent = nullptr);

    [[nodiscard]] bool showWelcome() const { return m_showWelcome; }

    // The main window was shown: until onboarding has been finished once the welcome view comes
    // up and the model starts when it closes; after that the model starts at once.
    Q_INVOKABLE void windowShown();
    Q_INVOKABLE void closeWelcome();
    // The application became active again.
    void becameActive();

Q_SIGNALS:
    void showWelcomeChanged();

private:
    void setShowWelcome(bool value);

    AppModel &m_model;
    SettingsStore &m_settings;
    bool m_showWelcome = false;
};
