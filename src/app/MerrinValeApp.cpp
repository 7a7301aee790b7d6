// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MerrinValeApp.h"

#include "app/AppModel.h"
#include "app/SettingsStore.h"
#include "net/Detached.h"

#include <QPointer>

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
    QPointer<MerrinValeApp> self(this);
    auto showing = [](QPointer<MerrinValeApp> self) -> QCoro::Task<> {
        const std::optional<QString> key = co_await self->m_settings.readApiKey();
        if (!self) {
            co_return;
        }
        if (!key) {
            self->setShowWelcome(true);
        } else {
            co_await self->m_model.start();
        }
    };
    net::startDetached(showing(self), QStringLiteral("start"));
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
