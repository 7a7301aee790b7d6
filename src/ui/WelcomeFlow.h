// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/SettingsStore.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The steps of the welcome view and what each button does to the settings: it meets Merrin,
// explains where her briefings come from, takes the Anthropic key, offers the local-expertise
// search, or explains what is missing without a key. A user who has finished onboarding before
// and opens it again starts on the key step and may leave from there.
class WelcomeFlow : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(SettingsStore *settings READ settings WRITE setSettings NOTIFY settingsChanged)
    Q_PROPERTY(Step step READ step NOTIFY stepChanged)
    Q_PROPERTY(bool returning READ returning NOTIFY returningChanged)
    Q_PROPERTY(bool canGoBack READ canGoBack NOTIFY stepChanged)

public:
    enum class Step { Meet = 0, Expertise = 1, Key = 2, Tune = 3, NoKey = 4 };
    Q_ENUM(Step)

    explicit WelcomeFlow(SettingsStore *settings = nullptr, QObject *parent = nullptr);

    [[nodiscard]] SettingsStore *settings() const { return m_settings; }
    void setSettings(SettingsStore *settings);
    [[nodiscard]] Step step() const { return m_step; }
    [[nodiscard]] bool returning() const { return m_returning; }
    // A returning user on the key step leaves with "Not right now" instead.
    [[nodiscard]] bool canGoBack() const;

    // Starts over: on the key step when onboarding was finished before, else at the first step.
    Q_INVOKABLE void begin();
    // "Continue" on the first two steps.
    Q_INVOKABLE void next();
    // "Continue" on the key step: a typed key (trimmed) is saved to the keyring; nothing typed
    // keeps the saved key, and without a saved key stays on the step.
    Q_INVOKABLE void continueWithKey(const QString &typed);
    // "Skip for now", offered while no key is saved.
    Q_INVOKABLE void skipKey();
    Q_INVOKABLE void back();
    // "Start the forecast" or "Not right now": onboarding is over.
    Q_INVOKABLE void finish();

Q_SIGNALS:
    void settingsChanged();
    void stepChanged();
    void returningChanged();
    // Onboarding ended and `welcomed` is set.
    void done();

private:
    void setStep(Step step);

    QPointer<SettingsStore> m_settings;
    Step m_step = Step::Meet;
    bool m_returning = false;
};
