// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppModel.h"

#include "app/BriefingCache.h"
#include "app/Log.h"
#include "app/NotificationService.h"
#include "app/SettingsStore.h"
#include "net/AppError.h"
#include "net/Clock.h"
#include "net/Detached.h"
#include "net/PendingWaits.h"
#include "text/Trim.h"
#include "voice/SpokenBriefing.h"

#include <QDebug>
#include <QPointer>

#include <limits>

AppModel::AppModel(SettingsStore &settings, AppSources &sources, Defaults &defaults, const Clock &clock,
    Intervals intervals, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_sources(sources)
    , m_defaults(defaults)
    , m_clock(clock)
    , m_intervals(intervals)
{
    for (auto signal : { &AppModel::briefingChanged, &AppModel::forecastChanged, &AppModel::alertsChanged,
             &AppModel::nowcastChanged, &AppModel::normalsChanged, &AppModel::locationChanged }) {
        QObject::connect(this, signal, this, &AppModel::currentBriefingChanged);
    }
    m_notificationSettingsChanged.setSingleShot(true);
    m_notificationSettingsChanged.setInterval(0);
    QObject::connect(&m_notificationSettingsChanged, &QTimer::timeout, this, &AppModel::syncNotificationsNow);
    for (auto signal : { &SettingsStore::dailyBriefingEnabledChanged, &SettingsStore::dailyBriefingHourChanged,
             &SettingsStore::dailyBriefingMinuteChanged, &SettingsStore::alertNotificationsEnabledChanged }) {
        QObject::connect(&m_settings, signal, &m_notificationSettingsChanged, qOverload<>(&QTimer::start));
    }
    // The key flags start false and are corrected from the keyring moments later.
    net::startDetached(m_settings.refreshKeyFlags(), QStringLiteral("reading the keyring"));
}

AppModel::~AppModel()
{
    // Loops and refreshes still suspended check these before touching the model again.
    ++m_alertLoopGeneration;
    ++m_briefingLoopGeneration;
    ++m_refreshGeneration;
    // Every request and wait still pending ends now, while the sources they use are whole, and
    // the tasks behind them run to their end rather than stay suspended for good.
    net::endPendingWaits();
}

AppSources::Flags AppModel::currentFlags() const
{
    return { m_settings.useFahrenheit(), m_settings.useMph(), m_settings.localExpertiseEnabled() };
}

void AppModel::showBriefing(
    const std::optional<QString> &text, const std::optional<QString> &question, const std::optional<QString> &headline)
{
    assign(m_briefing, text, &AppModel::briefingChanged);
    assign(m_suggestedQuestion, question, &AppModel::suggestedQuestionChanged);
    assign(m_headline, headline, &AppModel::headlineChanged);
}

QCoro::Task<> AppModel::start()
{
    startAlertPolling();
    scheduleBriefingRefresh();
    if (!m_settings.lastLocation()) {
        co_await useCurrentLocation();
    } else {
        assign(m_location, m_settings.lastLocation(), &AppModel::locationChanged);
        co_await refresh();
    }
}

QCoro::Task<> AppModel::useCurrentLocation()
{
    QPointer<AppModel> self(this);
    assign(m_locationLoading, true, &AppModel::locationLoadingChanged);
    assign(m_locationError, std::optional<QString>(), &AppModel::locationErrorChanged);
    std::optional<SavedLocation> found;
    std::optional<QString> failure;
    try {
        found = co_await m_sources.resolveCurrentLocation();
    } catch (const std::exception &e) {
        failure = describeError(e);
    }
    if (!self) {
        co_return;
    }
    if (found) {
        select(*found);
    } else {
        assign(m_locationError, failure, &AppModel::locationErrorChanged);
    }
    assign(m_locationLoading, false, &AppModel::locationLoadingChanged);
}

void AppModel::select(const SavedLocation &place)
{
    // Whatever is still running for the previous place must not write its results now.
    ++m_refreshGeneration;
    assign(m_location, std::optional<SavedLocation>(place), &AppModel::locationChanged);
    m_settings.setLastLocation(place);
    clearConversation();
    showBriefing(std::nullopt, std::nullopt, std::nullopt);
    assign(m_forecast, std::optional<Forecast>(), &AppModel::forecastChanged);
    assign(m_alerts, QList<NwsAlert>(), &AppModel::alertsChanged);
    assign(m_nowcast, std::optional<NextHourNowcast>(), &AppModel::nowcastChanged);
    net::startDetached(refresh(), QStringLiteral("refresh"));
}

QCoro::Task<> AppModel::refresh()
{
    if (!m_location) {
        co_return;
    }
    QPointer<AppModel> self(this);
    const quint64 generation = ++m_refreshGeneration;
    try {
        co_await refreshCycle(generation);
    } catch (...) {
        // Nothing in the cycle throws by design; should something all the same (memory, a
        // fault), the screen must not stay busy for good.
        qCWarning(appLog).noquote() << "[refresh] refresh stopped:" << describeCurrentException();
        if (self && generation == m_refreshGeneration) {
            assign(m_forecastLoading, false, &AppModel::forecastLoadingChanged);
            assign(m_briefingLoading, false, &AppModel::briefingLoadingChanged);
            assign(m_briefingRewriting, false, &AppModel::briefingRewritingChanged);
        }
    }
}

QCoro::Task<> AppModel::refreshCycle(quint64 generation)
{
    QPointer<AppModel> self(this);
    const auto current = [&] { return self && generation == m_refreshGeneration; };
    const SavedLocation place = *m_location;

    const QDateTime startedAt = m_clock.now();
    m_lastRefreshAt = startedAt;
    assign(m_forecastLoading, true, &AppModel::forecastLoadingChanged);
    assign(m_forecastError, std::optional<QString>(), &AppModel::forecastErrorChanged);
    const AppSources::Flags flags = currentFlags();
    const QString signature = briefingSignature(place, flags.fahrenheit, flags.mph, flags.localExpertise);

    std::optional<CachedBriefing> cached = CachedBriefing::load(m_defaults);
    if (cached && cached->signature != signature) {
        cached.reset();
    }
    const double cachedAge = cached ? static_cast<double>(cached->generatedAt.msecsTo(startedAt)) / 1000.0
                                    : std::numeric_limits<double>::infinity();
    if (!m_briefing && cached && cachedAge < 5400) {
        showBriefing(cached->text, cached->suggestedQuestion, cached->headline);
    }

    // The four fetches run together; the answers are read back in a fixed order.
    auto forecastTask = m_sources.fetchForecast(place, flags.fahrenheit, flags.mph);
    auto alertsTask = m_sources.activeAlerts(place.latitude, place.longitude);
    auto nowcastTask = m_sources.nextHourNowcast(place.latitude, place.longitude, place.timezone);
    auto normalsTask = m_sources.loadNormals(place.latitude, place.longitude, place.timezone);

    std::optional<Forecast> forecast;
    std::optional<QString> forecastFailure;
    try {
        forecast = co_await std::move(forecastTask);
    } catch (const std::exception &e) {
        forecastFailure = describeError(e);
        qCInfo(appLog).noquote() << "[refresh] forecast failed:" << *forecastFailure;
    }
    if (current()) {
        if (forecast) {
            assign(m_forecast, forecast, &AppModel::forecastChanged);
        } else {
            assign(m_forecastError, forecastFailure, &AppModel::forecastErrorChanged);
        }
    }
    const QList<NwsAlert> alerts = co_await std::move(alertsTask);
    if (current()) {
        assign(m_alerts, alerts, &AppModel::alertsChanged);
    }
    const std::optional<NextHourNowcast> nowcast = co_await std::move(nowcastTask);
    if (current()) {
        assign(m_nowcast, nowcast, &AppModel::nowcastChanged);
    }
    const std::optional<ClimateNormals> normals = co_await std::move(normalsTask);
    if (!current()) {
        co_return;
    }
    assign(m_normals, normals, &AppModel::normalsChanged);
    assign(m_forecastLoading, false, &AppModel::forecastLoadingChanged);

    const std::optional<QString> apiKey = co_await m_settings.readApiKey();
    if (!current()) {
        co_return;
    }
    const bool hasKey = apiKey.has_value();
    if (hasKey && cached && cachedAge < 1800) {
        showBriefing(cached->text, cached->suggestedQuestion, cached->headline);
    } else {
        assign(m_briefingLoading, hasKey && !m_briefing, &AppModel::briefingLoadingChanged);
        assign(m_briefingRewriting, hasKey && m_briefing.has_value(), &AppModel::briefingRewritingChanged);

        // The briefing reads the alerts this refresh has just fetched rather than asking again.
        const std::optional<BriefingResult> result =
            co_await m_sources.generateBriefing(place, apiKey, flags, m_alerts);
        if (!current()) {
            co_return;
        }
        if (result) {
            showBriefing(result->text, result->suggestedQuestion, result->headline);
            CachedBriefing::save(m_defaults,
                CachedBriefing { result->text, result->suggestedQuestion, result->headline, signature, m_clock.now() });
        } else if (!hasKey) {
            showBriefing(std::nullopt, std::nullopt, std::nullopt);
        }
    }
    // However the briefing came, this refresh ends both flags, including one left set by a
    // refresh it superseded.
    assign(m_briefingLoading, false, &AppModel::briefingLoadingChanged);
    assign(m_briefingRewriting, false, &AppModel::briefingRewritingChanged);
    m_sources.notifyNewAlerts(m_alerts);
    co_await syncNotifications();
    if (!current()) {
        co_return;
    }

    if (m_spoken && m_settings.preloadVoice() && currentBriefingText()) {
        net::startDetached(m_spoken->prewarm(), QStringLiteral("voice pre-warm"));
    }
}

QCoro::Task<> AppModel::refreshIfStale()
{
    if (m_lastRefreshAt && m_lastRefreshAt->secsTo(m_clock.now()) < m_intervals.staleAfter.count()) {
        co_return;
    }
    if (m_location && m_sources.deviceLocationAuthorized() && !m_isCheckingLocationOnResume) {
        QPointer<AppModel> self(this);
        m_isCheckingLocationOnResume = true;
        std::optional<SavedLocation> found;
        try {
            found = co_await m_sources.resolveCurrentLocation();
        } catch (const std::exception &e) {
            qCInfo(appLog).noquote() << "[refresh] resume location check failed:" << describeError(e);
        }
        if (!self) {
            co_return;
        }
        m_isCheckingLocationOnResume = false;
        if (found && m_location && !found->isSamePlace(*m_location)) {
            select(*found);
        } else {
            co_await refresh();
        }
        co_return;
    }
    co_await refresh();
}

void AppModel::clearConversation()
{
    ++m_conversationGeneration;
    assign(m_askHistory, QList<QaPair>(), &AppModel::askHistoryChanged);
    assign(m_askError, std::optional<QString>(), &AppModel::askErrorChanged);
}

QCoro::Task<> AppModel::ask(QString question)
{
    const QString trimmed = text::trimmedWhitespaceAndNewlines(question);
    if (!m_location || trimmed.isEmpty() || m_askLoading) {
        co_return;
    }
    QPointer<AppModel> self(this);
    const SavedLocation place = *m_location;
    const AppSources::Flags flags = currentFlags();
    assign(m_askLoading, true, &AppModel::askLoadingChanged);
    assign(m_askError, std::optional<QString>(), &AppModel::askErrorChanged);
    const QList<QaPair> history = m_askHistory;
    const quint64 conversation = m_conversationGeneration;

    const std::optional<QString> apiKey = co_await m_settings.readApiKey();
    if (!self) {
        co_return;
    }
    std::optional<QString> answer;
    std::optional<QString> failure;
    try {
        answer = co_await m_sources.answer(trimmed, place, apiKey, history, flags);
    } catch (const std::exception &e) {
        failure = describeError(e);
    }
    if (!self) {
        co_return;
    }
    // An answer for a place the user has since left, or after a new conversation began, belongs
    // to a conversation that is gone.
    if (conversation == m_conversationGeneration && m_location && m_location->isSamePlace(place)) {
        if (answer) {
            QList<QaPair> updated = m_askHistory;
            updated.append(QaPair { trimmed, *answer });
            assign(m_askHistory, updated, &AppModel::askHistoryChanged);
        } else {
            assign(m_askError, failure, &AppModel::askErrorChanged);
        }
    }
    assign(m_askLoading, false, &AppModel::askLoadingChanged);
}

std::optional<QString> AppModel::currentBriefingText() const
{
    if (m_briefing) {
        return m_briefing;
    }
    if (m_forecast && m_location) {
        return m_sources.localBriefingText(*m_forecast, m_alerts, m_nowcast, m_normals, *m_location)
            .value_or(QString());
    }
    return std::nullopt;
}

std::optional<SavedLocation> AppModel::briefingPlace() const
{
    if (!m_location) {
        return std::nullopt;
    }
    SavedLocation place = *m_location;
    if (place.timezone.isEmpty() && m_forecast) {
        place.timezone = m_forecast->timezone;
    }
    return place;
}

QString AppModel::dailyBriefingText() const
{
    return dailyBriefingBody(m_headline, m_forecast, m_alerts, m_nowcast, m_normals);
}

QCoro::Task<> AppModel::syncNotifications()
{
    const std::optional<SavedLocation> place = m_location;
    const QString body = dailyBriefingText();
    co_await m_sources.syncNotifications(place, body);
}

void AppModel::syncNotificationsNow()
{
    net::startDetached(syncNotifications(), QStringLiteral("notification sync"));
}

void AppModel::startAlertPolling()
{
    net::startDetached(alertLoop(++m_alertLoopGeneration), QStringLiteral("alert polling"));
}

QCoro::Task<> AppModel::alertLoop(quint64 generation)
{
    QPointer<AppModel> self(this);
    const auto alive = [&] { return self && generation == self->m_alertLoopGeneration; };
    const auto interval = m_intervals.alertPoll;
    while (true) {
        const bool slept = co_await net::sleepFor(interval);
        if (!slept || !alive()) {
            co_return;
        }
        try {
            if (m_location) {
                const SavedLocation place = *m_location;
                const QList<NwsAlert> alerts = co_await m_sources.activeAlerts(place.latitude, place.longitude);
                // The place may have changed while the alerts were on their way.
                if (alive() && m_location && m_location->isSamePlace(place)) {
                    assign(m_alerts, alerts, &AppModel::alertsChanged);
                    m_sources.notifyNewAlerts(alerts);
                }
            }
        } catch (...) {
            // Fetching alerts never fails by design; whatever happens, polling goes on.
            qCWarning(appLog).noquote() << "[alerts] alert poll failed:" << describeCurrentException();
        }
        if (!alive()) {
            co_return;
        }
    }
}

void AppModel::scheduleBriefingRefresh()
{
    const quint64 generation = ++m_briefingLoopGeneration;
    if (m_settings.dailyBriefingEnabled()) {
        net::startDetached(briefingRefreshLoop(generation), QStringLiteral("daily briefing refresh"));
    }
}

std::optional<QDateTime> AppModel::nextBriefingRefreshAt() const
{
    if (!m_settings.dailyBriefingEnabled()) {
        return std::nullopt;
    }
    const QDateTime now = m_clock.now().toLocalTime();
    const QTime at(m_settings.dailyBriefingHour(), m_settings.dailyBriefingMinute());
    if (!at.isValid()) {
        return std::nullopt;
    }
    // The next local time with that hour and minute; a day whose clock skips it (a daylight
    // saving change) is passed over.
    for (int day = 0; day <= 2; ++day) {
        const QDateTime candidate(now.date().addDays(day), at, Qt::LocalTime);
        if (candidate.isValid() && candidate.time() == at && candidate > now) {
            return candidate.addSecs(-m_intervals.dailyLead.count());
        }
    }
    return std::nullopt;
}

QCoro::Task<> AppModel::briefingRefreshLoop(quint64 generation)
{
    QPointer<AppModel> self(this);
    // Copied now: the model may be gone when the loop wakes.
    const auto rearm = m_intervals.dailyRearm;
    const auto alive = [&] { return self && generation == self->m_briefingLoopGeneration; };
    while (alive()) {
        const std::optional<QDateTime> at = nextBriefingRefreshAt();
        if (!at) {
            co_return;
        }
        const qint64 wait = std::max<qint64>(0, m_clock.now().msecsTo(*at));
        const bool waited = co_await net::sleepFor(std::chrono::milliseconds(wait));
        if (!waited || !alive() || !m_settings.dailyBriefingEnabled()) {
            co_return;
        }
        if (m_location) {
            qCInfo(appLog).noquote() << "[daily] refreshing ahead of the daily briefing";
            co_await refresh();
            if (!alive()) {
                co_return;
            }
        }
        const bool rested = co_await net::sleepFor(rearm);
        if (!rested) {
            co_return;
        }
    }
}

void AppModel::refreshNow()
{
    net::startDetached(refresh(), QStringLiteral("refresh"));
}

void AppModel::useCurrentLocationNow()
{
    net::startDetached(useCurrentLocation(), QStringLiteral("location look-up"));
}
