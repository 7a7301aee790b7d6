// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SettingsViewModel.h"

#include "app/SettingsStore.h"
#include "net/AppError.h"
#include "net/Detached.h"

SettingsViewModel::SettingsViewModel(AppModel *model, QObject *parent)
    : QObject(parent)
    , m_model(model)
{ }

void SettingsViewModel::setModel(AppModel *model)
{
    if (m_model != model) {
        m_model = model;
        Q_EMIT modelChanged();
    }
}

SettingsStore *SettingsViewModel::settings() const
{
    return m_model ? m_model->settings() : nullptr;
}

void SettingsViewModel::refresh()
{
    if (m_model) {
        m_model->refreshNow();
    }
}

void SettingsViewModel::reschedule()
{
    if (m_model) {
        m_model->scheduleBriefingRefresh();
        net::startDetached(m_model->syncNotifications(), QStringLiteral("rescheduling notifications"));
    }
}

void SettingsViewModel::setUseFahrenheit(bool value)
{
    if (SettingsStore *store = settings(); store && store->useFahrenheit() != value) {
        store->setUseFahrenheit(value);
        refresh();
    }
}

void SettingsViewModel::setUseMph(bool value)
{
    if (SettingsStore *store = settings(); store && store->useMph() != value) {
        store->setUseMph(value);
        refresh();
    }
}

void SettingsViewModel::setLocalExpertiseEnabled(bool value)
{
    if (SettingsStore *store = settings(); store && store->localExpertiseEnabled() != value) {
        store->setLocalExpertiseEnabled(value);
        refresh();
    }
}

void SettingsViewModel::setKeyProblem(QString &field, const QString &problem)
{
    if (field != problem) {
        field = problem;
        Q_EMIT keyProblemsChanged();
    }
}

QCoro::Task<> SettingsViewModel::storeApiKey(QString draft)
{
    QPointer<AppModel> model = m_model;
    if (!model) {
        co_return;
    }
    const QPointer<SettingsViewModel> self(this);
    try {
        co_await model->settings()->setApiKey(std::move(draft));
    } catch (const AppError &error) {
        if (self) {
            setKeyProblem(m_apiKeyProblem, error.description());
        }
        co_return;
    }
    if (self) {
        setKeyProblem(m_apiKeyProblem, {});
    }
    // The briefing follows the key: written with the new one, or without any.
    if (model) {
        co_await model->refresh();
    }
}

void SettingsViewModel::saveApiKey(const QString &draft)
{
    net::startDetached(storeApiKey(draft), QStringLiteral("saving the Anthropic key"));
}

void SettingsViewModel::removeApiKey()
{
    saveApiKey(QString());
}

QCoro::Task<> SettingsViewModel::storeGoogleKey(QString draft)
{
    SettingsStore *store = settings();
    if (store == nullptr) {
        co_return;
    }
    const QPointer<SettingsViewModel> self(this);
    QString problem;
    try {
        co_await store->setGoogleApiKey(std::move(draft));
    } catch (const AppError &error) {
        problem = error.description();
    }
    if (self) {
        setKeyProblem(m_googleKeyProblem, problem);
    }
}

void SettingsViewModel::saveGoogleApiKey(const QString &draft)
{
    net::startDetached(storeGoogleKey(draft), QStringLiteral("saving the Google key"));
}

void SettingsViewModel::removeGoogleApiKey()
{
    saveGoogleApiKey(QString());
}

void SettingsViewModel::setDailyBriefingEnabled(bool value)
{
    if (SettingsStore *store = settings(); store && store->dailyBriefingEnabled() != value) {
        store->setDailyBriefingEnabled(value);
        reschedule();
    }
}

void SettingsViewModel::setDailyBriefingTime(int hour, int minute)
{
    SettingsStore *store = settings();
    if (store == nullptr || hour < 0 || hour > 23 || minute < 0 || minute > 59
        || (store->dailyBriefingHour() == hour && store->dailyBriefingMinute() == minute)) {
        return;
    }
    store->setDailyBriefingHour(hour);
    store->setDailyBriefingMinute(minute);
    reschedule();
}

void SettingsViewModel::setAlertNotificationsEnabled(bool value)
{
    if (SettingsStore *store = settings(); store && store->alertNotificationsEnabled() != value) {
        store->setAlertNotificationsEnabled(value);
        reschedule();
    }
}
