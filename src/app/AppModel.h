// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppSources.h"
#include "app/SettingsStore.h"
#include "voice/BriefingSource.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <QCoroTask>

#include <chrono>
#include <optional>

class Clock;
class Defaults;
class SpokenBriefing;

// The model's timers; tests shorten them.
struct AppModelIntervals
{
    std::chrono::milliseconds alertPoll { std::chrono::seconds(180) };
    std::chrono::seconds staleAfter { 120 };
    std::chrono::seconds dailyLead { 600 };
    std::chrono::milliseconds dailyRearm { std::chrono::seconds(660) };
};

// The one object that owns what the screens show: the place, its forecast and companions, the
// briefing and the Ask conversation. It runs the refresh cycle and the two background loops
// (alert polling and the refresh before the daily briefing). Lives on the main thread.
class AppModel : public QObject, public BriefingSource
{
    Q_OBJECT
    Q_PROPERTY(bool hasLocation READ hasLocation NOTIFY locationChanged)
    Q_PROPERTY(bool locationLoading READ locationLoading NOTIFY locationLoadingChanged)
    Q_PROPERTY(QString locationError READ locationErrorText NOTIFY locationErrorChanged)
    Q_PROPERTY(bool hasForecast READ hasForecast NOTIFY forecastChanged)
    Q_PROPERTY(bool forecastLoading READ forecastLoading NOTIFY forecastLoadingChanged)
    Q_PROPERTY(QString forecastError READ forecastErrorText NOTIFY forecastErrorChanged)
    Q_PROPERTY(QString briefing READ briefingText NOTIFY briefingChanged)
    Q_PROPERTY(QString headline READ headlineText NOTIFY headlineChanged)
    Q_PROPERTY(QString suggestedQuestion READ suggestedQuestionText NOTIFY suggestedQuestionChanged)
    Q_PROPERTY(bool briefingLoading READ briefingLoading NOTIFY briefingLoadingChanged)
    Q_PROPERTY(bool briefingRewriting READ briefingRewriting NOTIFY briefingRewritingChanged)
    Q_PROPERTY(bool askLoading READ askLoading NOTIFY askLoadingChanged)
    Q_PROPERTY(QString askError READ askErrorText NOTIFY askErrorChanged)
    Q_PROPERTY(QString currentBriefing READ currentBriefingOrEmpty NOTIFY currentBriefingChanged)
    Q_PROPERTY(SettingsStore *settings READ settings CONSTANT)

public:
    using Intervals = AppModelIntervals;

    AppModel(SettingsStore &settings, AppSources &sources, Defaults &defaults, const Clock &clock,
        Intervals intervals = {}, QObject *parent = nullptr);
    ~AppModel() override;

    [[nodiscard]] const std::optional<SavedLocation> &location() const { return m_location; }
    [[nodiscard]] bool locationLoading() const { return m_locationLoading; }
    [[nodiscard]] const std::optional<QString> &locationError() const { return m_locationError; }
    [[nodiscard]] const std::optional<Forecast> &forecast() const { return m_forecast; }
    [[nodiscard]] bool forecastLoading() const { return m_forecastLoading; }
    [[nodiscard]] const std::optional<QString> &forecastError() const { return m_forecastError; }
    [[nodiscard]] const QList<NwsAlert> &alerts() const { return m_alerts; }
    [[nodiscard]] const std::optional<QString> &briefing() const { return m_briefing; }
    [[nodiscard]] const std::optional<QString> &headline() const { return m_headline; }
    [[nodiscard]] bool briefingLoading() const { return m_briefingLoading; }
    [[nodiscard]] bool briefingRewriting() const { return m_briefingRewriting; }
    [[nodiscard]] const std::optional<NextHourNowcast> &nowcast() const { return m_nowcast; }
    [[nodiscard]] const std::optional<ClimateNormals> &normals() const { return m_normals; }
    [[nodiscard]] const std::optional<QString> &suggestedQuestion() const { return m_suggestedQuestion; }
    [[nodiscard]] const QList<QaPair> &askHistory() const { return m_askHistory; }
    [[nodiscard]] bool askLoading() const { return m_askLoading; }
    [[nodiscard]] const std::optional<QString> &askError() const { return m_askError; }
    [[nodiscard]] const std::optional<QDateTime> &lastRefreshAt() const { return m_lastRefreshAt; }
    [[nodiscard]] SettingsStore *settings() const { return &m_settings; }

    [[nodiscard]] bool hasLocation() const { return m_location.has_value(); }
    [[nodiscard]] bool hasForecast() const override { return m_forecast.has_value(); }
    [[nodiscard]] QString locationErrorText() const { return m_locationError.value_or(QString()); }
    [[nodiscard]] QString forecastErrorText() const { return m_forecastError.value_or(QString()); }
    [[nodiscard]] QString briefingText() const { return m_briefing.value_or(QString()); }
    [[nodiscard]] QString headlineText() const { return m_headline.value_or(QString()); }
    [[nodiscard]] QString suggestedQuestionText() const { return m_suggestedQuestion.value_or(QString()); }
    [[nodiscard]] QString askErrorText() const { return m_askError.value_or(QString()); }

    // Starts both loops, then takes the last place (or looks up the device's) and refreshes.
    QCoro::Task<> start();
    // One full refresh of the current place. A refresh superseded by a newer one, or by a change
    // of place, writes nothing once it is superseded.
    QCoro::Task<> refresh();
    // The check when the app becomes active: refresh unless the last one is under two minutes
    // old, after checking whether the device moved when its position may be asked for.
    QCoro::Task<> refreshIfStale() override;
    QCoro::Task<> useCurrentLocation();
    QCoro::Task<> ask(QString question);
    // Makes a place current, remembers it, clears what belonged to the old place and refreshes.
    void select(const SavedLocation &place);
    // Starts a new conversation: empties the Ask history and its error. An answer still on its
    // way belongs to the old conversation and is dropped.
    Q_INVOKABLE void clearConversation();

    void startAlertPolling();
    void scheduleBriefingRefresh();
    // Brings the daily briefing notification in line with the settings, with the place and the
    // daily text; runs after every refresh and, a moment later, after a notification setting
    // changes.
    QCoro::Task<> syncNotifications();
    Q_INVOKABLE void syncNotificationsNow();
    // The daily notification's text for what is shown now (dailyBriefingBody).
    [[nodiscard]] QString dailyBriefingText() const;

    // The briefing the user hears: the AI briefing, else the local composer's text for the
    // forecast (empty when it has nothing to say), else nothing.
    [[nodiscard]] std::optional<QString> currentBriefingText() const override;
    [[nodiscard]] std::optional<SavedLocation> briefingPlace() const override;
    // The speech controller a refresh pre-warms when audio is to be prepared ahead.
    void setSpokenBriefing(SpokenBriefing *spoken) { m_spoken = spoken; }
    [[nodiscard]] QString currentBriefingOrEmpty() const { return currentBriefingText().value_or(QString()); }

    Q_INVOKABLE void refreshNow();
    Q_INVOKABLE void useCurrentLocationNow();

Q_SIGNALS:
    void locationChanged();
    void locationLoadingChanged();
    void locationErrorChanged();
    void forecastChanged();
    void forecastLoadingChanged();
    void forecastErrorChanged();
    void alertsChanged();
    void briefingChanged();
    void headlineChanged();
    void briefingLoadingChanged();
    void briefingRewritingChanged();
    void nowcastChanged();
    void normalsChanged();
    void suggestedQuestionChanged();
    void askHistoryChanged();
    void askLoadingChanged();
    void askErrorChanged();
    // What currentBriefingText() reads may have changed.
    void currentBriefingChanged();

private:
    QCoro::Task<> refreshCycle(quint64 generation);
    QCoro::Task<> alertLoop(quint64 generation);
    QCoro::Task<> briefingRefreshLoop(quint64 generation);
    [[nodiscard]] std::optional<QDateTime> nextBriefingRefreshAt() const;
    [[nodiscard]] AppSources::Flags currentFlags() const;
    void showBriefing(const std::optional<QString> &text, const std::optional<QString> &question,
        const std::optional<QString> &headline);

    template <typename T>
    void assign(T &field, const T &value, void (AppModel::*signal)())
    {
        if (!(field == value)) {
            field = value;
            Q_EMIT(this->*signal)();
        }
    }

    SettingsStore &m_settings;
    SpokenBriefing *m_spoken = nullptr;
    AppSources &m_sources;
    Defaults &m_defaults;
    const Clock &m_clock;
    Intervals m_intervals;

    std::optional<SavedLocation> m_location;
    bool m_locationLoading = false;
    std::optional<QString> m_locationError;
    std::optional<Forecast> m_forecast;
    bool m_forecastLoading = false;
    std::optional<QString> m_forecastError;
    QList<NwsAlert> m_alerts;
    std::optional<QString> m_briefing;
    std::optional<QString> m_headline;
    bool m_briefingLoading = false;
    bool m_briefingRewriting = false;
    std::optional<NextHourNowcast> m_nowcast;
    std::optional<ClimateNormals> m_normals;
    std::optional<QString> m_suggestedQuestion;
    QList<QaPair> m_askHistory;
    bool m_askLoading = false;
    std::optional<QString> m_askError;

    std::optional<QDateTime> m_lastRefreshAt;
    bool m_isCheckingLocationOnResume = false;
    quint64 m_refreshGeneration = 0;
    quint64 m_conversationGeneration = 0;
    quint64 m_alertLoopGeneration = 0;
    quint64 m_briefingLoopGeneration = 0;
    QTimer m_notificationSettingsChanged; // gathers the changes of one edit into one sync
};
