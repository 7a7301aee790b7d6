// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MerrinValeApp.h"

#include "app/AppModel.h"
#include "app/SettingsStore.h"
#include "net/Detached.h"

#include <QCoroTask>

MerrinValeApp::MerrinValeApp(AppModel &model, SettingsStore &settings, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_settings(settings)
{ }

void MerrinValeApp::setShowWelcome(bool value)
{
    if (m_showWelcome != value) {
        m_showWelcome = value;
        Q_EMIT showWelcomeChanged();
    }
}

void MerrinValeApp::windowShown()
{
    if (!m_settings.welcomed()) {
        setShowWelcome(true);
    } else {
        net::startDetached(m_model.start(), QStringLiteral("start"));
    }
}

void MerrinValeApp::closeWelcome()
{
    if (!m_showWelcome) {
        return;
    }
    setShowWelcome(false);
    net::startDetached(m_model.start(), QStringLiteral("start"));
}

void MerrinValeApp::becameActive()
{
    net::startDetached(m_model.refreshIfStale(), QStringLiteral("refresh"));
}
