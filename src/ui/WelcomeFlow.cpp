// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WelcomeFlow.h"

#include "app/SettingsStore.h"
#include "net/Detached.h"

WelcomeFlow::WelcomeFlow(SettingsStore *settings, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
{ }

void WelcomeFlow::setSettings(SettingsStore *settings)
{
    if (m_settings != settings) {
        m_settings = settings;
        Q_EMIT settingsChanged();
    }
}

bool WelcomeFlow::canGoBack() const
{
    return m_step != Step::Meet && !(m_returning && m_step == Step::Key);
}

void WelcomeFlow::setStep(Step step)
{
    if (m_step != step) {
        m_step = step;
        Q_EMIT stepChanged();
    }
}

void WelcomeFlow::begin()
{
    const bool returning = m_settings && m_settings->welcomed();
    if (m_returning != returning) {
        m_returning = returning;
        Q_EMIT returningChanged();
    }
    setStep(returning ? Step::Key : Step::Meet);
    Q_EMIT stepChanged(); // canGoBack may have changed with `returning`
}

void WelcomeFlow::next()
{
    if (m_step == Step::Meet) {
        setStep(Step::Expertise);
    } else if (m_step == Step::Expertise) {
        setStep(Step::Key);
    }
}

void WelcomeFlow::continueWithKey(const QString &typed)
{
    if (m_step != Step::Key) {
        return;
    }
    const QString key = typed.trimmed();
    if (key.isEmpty()) {
        // Nothing typed keeps the saved key; without one there is nothing to continue with.
        if (m_settings && m_settings->hasApiKey()) {
            setStep(Step::Tune);
        }
        return;
    }
    if (m_settings) {
        net::startDetached(m_settings->setApiKey(key), QStringLiteral("saving the Anthropic key"));
    }
    setStep(Step::Tune);
}

void WelcomeFlow::skipKey()
{
    if (m_step == Step::Key) {
        setStep(Step::NoKey);
    }
}

void WelcomeFlow::back()
{
    switch (m_step) {
    case Step::Expertise:
        setStep(Step::Meet);
        break;
    case Step::Key:
        if (!m_returning) {
            setStep(Step::Expertise);
        }
        break;
    case Step::Tune:
    case Step::NoKey:
        setStep(Step::Key);
        break;
    case Step::Meet:
        break;
    }
}

void WelcomeFlow::finish()
{
    if (m_settings) {
        m_settings->setWelcomed(true);
    }
    Q_EMIT done();
}
