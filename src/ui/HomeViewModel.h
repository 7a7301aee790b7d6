// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

class AppModel;

// The home screen's view of the app model: which state the screen is in and the texts of the
// hero card, updated whenever the model or the favourites change.
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

    // Adds the current place to the favourites, or removes it when it is one already.
    Q_INVOKABLE void toggleFavorite();

Q_SIGNALS:
    void changed();

private:
    QPointer<AppModel> m_model;
};
