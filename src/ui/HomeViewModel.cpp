// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HomeViewModel.h"

#include "app/AppModel.h"
#include "app/SettingsStore.h"
#include "ui/text/CardText.h"
#include "ui/text/HomeText.h"
#include "weather/WeatherCodes.h"

namespace {

template <typename Row>
QVariantList variants(const QList<Row> &rows)
{
    QVariantList out;
    out.reserve(rows.size());
    for (const Row &row : rows) {
        out.append(QVariant::fromValue(row));
    }
    return out;
}

} // namespace

HomeViewModel::HomeViewModel(AppModel &model, QObject *parent)
    : QObject(parent)
    , m_model(&model)
{
    for (auto signal : { &AppModel::locationChanged, &AppModel::locationLoadingChanged, &AppModel::locationErrorChanged,
             &AppModel::forecastChanged, &AppModel::forecastLoadingChanged, &AppModel::forecastErrorChanged }) {
        QObject::connect(&model, signal, this, &HomeViewModel::changed);
    }
    QObject::connect(model.settings(), &SettingsStore::favoritesChanged, this, &HomeViewModel::changed);
    QObject::connect(&model, &AppModel::forecastChanged, this, &HomeViewModel::forecastRowsChanged);
    QObject::connect(&model, &AppModel::alertsChanged, this, &HomeViewModel::alertsChanged);
    QObject::connect(&model, &AppModel::nowcastChanged, this, &HomeViewModel::nowcastChanged);
    for (auto signal : { &AppModel::alertsChanged, &AppModel::briefingChanged, &AppModel::locationChanged }) {
        QObject::connect(&model, signal, this, &HomeViewModel::creditsChanged);
    }
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

QString HomeViewModel::headline() const
{
    if (!m_model || !m_model->forecast()) {
        return {};
    }
    const CurrentWeather &now = m_model->forecast()->current;
    return weather_codes::headlineLabel(now.weatherCode, now.isDay);
}

int HomeViewModel::currentCode() const
{
    return m_model && m_model->forecast() ? static_cast<int>(m_model->forecast()->current.weatherCode) : 0;
}

bool HomeViewModel::currentIsDay() const
{
    return !m_model || !m_model->forecast() || m_model->forecast()->current.isDay;
}

QVariantList HomeViewModel::stats() const
{
    return m_model && m_model->forecast() ? variants(card_rows::heroStats(*m_model->forecast())) : QVariantList();
}

QVariantList HomeViewModel::hourly() const
{
    return m_model && m_model->forecast() ? variants(card_rows::hourCells(*m_model->forecast())) : QVariantList();
}

QVariantList HomeViewModel::daily() const
{
    return m_model && m_model->forecast() ? variants(card_rows::dayRows(*m_model->forecast())) : QVariantList();
}

QVariantList HomeViewModel::alerts() const
{
    if (!m_model) {
        return {};
    }
    // The place's zone; the forecast's when the place has none.
    QString zone = m_model->location() ? m_model->location()->timezone : QString();
    if (zone.isEmpty() && m_model->forecast()) {
        zone = m_model->forecast()->timezone;
    }
    QList<AlertRow> rows;
    for (const NwsAlert &alert : m_model->alerts()) {
        rows.append(card_rows::alertRow(alert, zone));
    }
    return variants(rows);
}

bool HomeViewModel::hasNowcast() const
{
    return m_model && m_model->nowcast().has_value();
}

QString HomeViewModel::nowcastSummary() const
{
    return hasNowcast() ? m_model->nowcast()->summary : QString();
}

QVariantList HomeViewModel::nowcastBars() const
{
    return hasNowcast() ? variants(card_rows::minuteBars(*m_model->nowcast())) : QVariantList();
}

QString HomeViewModel::alertCaption()
{
    return card_text::alertCaption();
}

QString HomeViewModel::onsetCaption()
{
    return card_text::onsetCaption();
}

QString HomeViewModel::endsCaption()
{
    return card_text::endsCaption();
}

QString HomeViewModel::outlookTitle()
{
    return card_text::outlookTitle();
}

QString HomeViewModel::nowcastStartLabel()
{
    return card_text::nowcastStartLabel();
}

QString HomeViewModel::nowcastEndLabel()
{
    return card_text::nowcastEndLabel();
}

Credit HomeViewModel::nowcastCredit()
{
    return card_rows::openMeteoMark();
}

QVariantList HomeViewModel::credits() const
{
    if (!m_model) {
        return {};
    }
    card_rows::CreditInputs in;
    in.alertsShown = !m_model->alerts().isEmpty();
    in.aiBriefingShown = m_model->briefing().has_value();
    in.country = m_model->location() ? m_model->location()->country : std::nullopt;
    return variants(card_rows::credits(in));
}
