// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppModel.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <QCoroTask>

// What the settings window's controls do beyond writing a setting: keys go to the keyring
// through the settings store (trimmed; nothing left removes the saved one), a change that alters
// the briefing fetches it again, and a change to the notifications re-arms them at once.
class SettingsViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(AppModel *model READ model WRITE setModel NOTIFY modelChanged)
    // Why the last key typed was refused (it held spaces or control characters); empty otherwise.
    Q_PROPERTY(QString apiKeyProblem READ apiKeyProblem NOTIFY keyProblemsChanged)
    Q_PROPERTY(QString googleKeyProblem READ googleKeyProblem NOTIFY keyProblemsChanged)

public:
    explicit SettingsViewModel(AppModel *model = nullptr, QObject *parent = nullptr);

    [[nodiscard]] AppModel *model() const { return m_model; }
    void setModel(AppModel *model);
    [[nodiscard]] QString apiKeyProblem() const { return m_apiKeyProblem; }
    [[nodiscard]] QString googleKeyProblem() const { return m_googleKeyProblem; }

    // Units and local expertise change what the briefing says: the place is refreshed.
    Q_INVOKABLE void setUseFahrenheit(bool value);
    Q_INVOKABLE void setUseMph(bool value);
    Q_INVOKABLE void setLocalExpertiseEnabled(bool value);

    // "Save key": the draft trimmed of white space and line breaks is stored; a draft with
    // nothing else removes the saved key. A new Anthropic key writes a new briefing.
    Q_INVOKABLE void saveApiKey(const QString &draft);
    Q_INVOKABLE void removeApiKey();
    Q_INVOKABLE void saveGoogleApiKey(const QString &draft);
    Q_INVOKABLE void removeGoogleApiKey();

    // The daily briefing and alert notifications, rescheduled as soon as they change. A time
    // outside 0:00 to 23:59 is ignored.
    Q_INVOKABLE void setDailyBriefingEnabled(bool value);
    Q_INVOKABLE void setDailyBriefingTime(int hour, int minute);
    Q_INVOKABLE void setAlertNotificationsEnabled(bool value);

Q_SIGNALS:
    void modelChanged();
    void keyProblemsChanged();

private:
    [[nodiscard]] SettingsStore *settings() const;
    void refresh();
    void reschedule();
    QCoro::Task<> storeApiKey(QString draft);
    QCoro::Task<> storeGoogleKey(QString draft);
    void setKeyProblem(QString &field, const QString &problem);

    QPointer<AppModel> m_model;
    QString m_apiKeyProblem;
    QString m_googleKeyProblem;
};
