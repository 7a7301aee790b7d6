// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/text/CardRows.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class AppModel;

// The home screen's view of the app model: which state the screen is in and what each forecast
// card shows, every text formatted. Each list is a list of value rows (StatCell, HourCell,
// DayRow, AlertRow, MinuteBar, Credit) and changes only when what it is made from changes, so
// that a card keeps its own state (an expanded alert) while the rest of the screen updates.
class HomeViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the application")
    Q_PROPERTY(State state READ state NOTIFY changed)
    Q_PROPERTY(QString stateMessage READ stateMessage NOTIFY changed)
    Q_PROPERTY(QString placeLabel READ placeLabel NOTIFY changed)
    Q_PROPERTY(QString temperature READ temperature NOTIFY changed)
    Q_PROPERTY(QString feelsLike READ feelsLike NOTIFY changed)
    Q_PROPERTY(QString errorDetail READ errorDetail NOTIFY changed)
    Q_PROPERTY(bool isFavorite READ isFavorite NOTIFY changed)
    Q_PROPERTY(QString headline READ headline NOTIFY forecastRowsChanged)
    Q_PROPERTY(int currentCode READ currentCode NOTIFY forecastRowsChanged)
    Q_PROPERTY(bool currentIsDay READ currentIsDay NOTIFY forecastRowsChanged)
    Q_PROPERTY(QVariantList stats READ stats NOTIFY forecastRowsChanged)
    Q_PROPERTY(QVariantList hourly READ hourly NOTIFY forecastRowsChanged)
    Q_PROPERTY(QVariantList daily READ daily NOTIFY forecastRowsChanged)
    Q_PROPERTY(QVariantList alerts READ alerts NOTIFY alertsChanged)
    Q_PROPERTY(bool hasNowcast READ hasNowcast NOTIFY nowcastChanged)
    Q_PROPERTY(QString nowcastSummary READ nowcastSummary NOTIFY nowcastChanged)
    Q_PROPERTY(QVariantList nowcastBars READ nowcastBars NOTIFY nowcastChanged)
    Q_PROPERTY(QString alertCaption READ alertCaption CONSTANT)
    Q_PROPERTY(QString onsetCaption READ onsetCaption CONSTANT)
    Q_PROPERTY(QString endsCaption READ endsCaption CONSTANT)
    Q_PROPERTY(QString outlookTitle READ outlookTitle CONSTANT)
    Q_PROPERTY(QString nowcastStartLabel READ nowcastStartLabel CONSTANT)
    Q_PROPERTY(QString nowcastEndLabel READ nowcastEndLabel CONSTANT)
    Q_PROPERTY(Credit nowcastCredit READ nowcastCredit CONSTANT)
    Q_PROPERTY(QVariantList credits READ credits NOTIFY creditsChanged)

public:
    enum class State { FindingLocation, LoadingForecast, NoLocation, Failed, Cards };
    Q_ENUM(State)

    explicit HomeViewModel(AppModel &model, QObject *parent = nullptr);

    [[nodiscard]] State state() const;
    [[nodiscard]] QString stateMessage() const;
    [[nodiscard]] QString placeLabel() const;
    [[nodiscard]] QString temperature() const;
    [[nodiscard]] QString feelsLike() const;
    // The location or forecast error to show under the state message, if any.
    [[nodiscard]] QString errorDetail() const;
    // Whether the current place is one of the favourites (false without a place).
    [[nodiscard]] bool isFavorite() const;

    // The hero card's upper-case condition ("MAINLY SUNNY").
    [[nodiscard]] QString headline() const;
    // The weather code of the current conditions and whether it is day there.
    [[nodiscard]] int currentCode() const;
    [[nodiscard]] bool currentIsDay() const;
    [[nodiscard]] QVariantList stats() const;
    [[nodiscard]] QVariantList hourly() const;
    [[nodiscard]] QVariantList daily() const;
    // One row per active alert, its times in the place's zone.
    [[nodiscard]] QVariantList alerts() const;
    [[nodiscard]] bool hasNowcast() const;
    [[nodiscard]] QString nowcastSummary() const;
    [[nodiscard]] QVariantList nowcastBars() const;
    [[nodiscard]] static QString alertCaption();
    [[nodiscard]] static QString onsetCaption();
    [[nodiscard]] static QString endsCaption();
    [[nodiscard]] static QString outlookTitle();
    [[nodiscard]] static QString nowcastStartLabel();
    [[nodiscard]] static QString nowcastEndLabel();
    [[nodiscard]] static Credit nowcastCredit();
    // The footer's credits for what the screen shows.
    [[nodiscard]] QVariantList credits() const;

    // Adds the current place to the favourites, or removes it when it is one already.
    Q_INVOKABLE void toggleFavorite();

Q_SIGNALS:
    void changed();
    void forecastRowsChanged();
    void alertsChanged();
    void nowcastChanged();
    void creditsChanged();

private:
    QPointer<AppModel> m_model;
};
