// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HomeViewModel.h"

#include "app/AppModel.h"
#include "app/SettingsStore.h"
#include "ui/text/HomeText.h"

HomeViewModel::HomeViewModel(AppModel &model, QObject *parent)
    : QObject(parent)
    , m_model(&model)
{
    for (auto signal : { &AppModel::locationChanged, &AppModel::locationLoadingChanged, &AppModel::locationErrorChanged,
             &AppModel::forecastChanged, &AppModel::forecastLoadingChanged, &AppModel::forecastErrorChanged }) {
        QObject::connect(&model, signal, this, &HomeViewModel::changed);
    }
    QObject::connect(model.settings(), &SettingsStore::favoritesChanged, this, &HomeViewModel::changed);
}

HomeViewModel::State HomeViewModel::state() const
{
    if (!m_model) {
        return State::LoadingForecast;
    }
    const home_text::ScreenInputs inputs { m_model->hasLocation(), m_model->locationLoading(), m_model->hasForecast(),
        m_model->forecastLoading(), m_model->forecastError().has_value() };
    return static_cast<State>(home_text::screenState(inputs));
}

QString HomeViewModel::stateMessage() const
{
    return home_text::screenMessage(static_cast<home_text::ScreenState>(state()));
}

QString HomeViewModel::placeLabel() const
{
    return m_model && m_model->location() ? m_model->location()->displayLabel() : QString();
}

QString HomeViewModel::temperature() const
{
    return m_model && m_model->forecast() ? home_text::temperature(m_model->forecast()->current.temperature)
                                          : QString();
}

QString HomeViewModel::feelsLike() const
{
    return m_model && m_model->forecast() ? home_text::feelsLikeLine(*m_model->forecast()) : QString();
}

QString HomeViewModel::errorDetail() const
{
    if (!m_model) {
        return {};
    }
    // A failed forecast explains itself; otherwise the failed look-up of the device's place
    // does (a place chosen since then does not clear that error).
    if (state() == State::Failed) {
        return m_model->forecastError().value_or(QString());
    }
    return m_model->locationError().value_or(QString());
}

bool HomeViewModel::isFavorite() const
{
    return m_model && m_model->location() && m_model->settings()->isFavorite(*m_model->location());
}

void HomeViewModel::toggleFavorite()
{
    if (m_model && m_model->location()) {
        m_model->settings()->toggleFavorite(*m_model->location());
    }
}
