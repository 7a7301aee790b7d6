// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ai/MessagesClient.h"
#include "weather/BriefingResult.h"
#include "weather/NwsAlert.h"
#include "weather/QaPair.h"
#include "weather/SavedLocation.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <QCoroTask>

#include <optional>

class Clock;
class ForecastService;
class NowcastService;
class NwsService;
class SpcService;

// Merrin, the presenter: writes The Briefing, answers questions and gathers local coverage,
// through the Anthropic Messages API, from a text block of everything known about the weather
// at a place. The key is the user's and is passed in on every call; it is never kept here.
class AiService
{
public:
    static inline const QString kAskModel = QStringLiteral("claude-sonnet-5");
    static inline const QString kBriefingModel = QStringLiteral("claude-haiku-4-5");
    static constexpr int kMaxHistoryTurns = 5;
    static constexpr qint64 kBriefingCacheSeconds = 1800;
    static constexpr qint64 kExpertiseCacheSeconds = 10800;

    // Where the forecast-data block comes from.
    struct Sources
    {
        ForecastService &forecasts;
        NwsService &nws;
        SpcService &spc;
        NowcastService &nowcast;
    };

    AiService(MessagesClient &client, Sources sources, const Clock &clock);

    // The forecast-data block: the forecast text, then local coverage (when on and a key is
    // given), the nowcast, alerts, the convective outlook, the hazardous weather outlook and the
    // forecasters' discussion, each when available, joined by blank lines. Fails only when the
    // forecast text fails, with its error, at once: the other requests still running are
    // cancelled. knownAlerts, when given, are the place's active alerts just fetched, and are
    // used instead of asking again.
    [[nodiscard]] QCoro::Task<QString> forecastData(SavedLocation location, bool fahrenheit, bool mph,
        std::optional<QString> apiKey, bool localExpertise, std::optional<QList<NwsAlert>> knownAlerts = std::nullopt);

    // Never fails: nothing without a key, or when anything goes wrong. Reuses a result for the
    // same place and flags for 30 minutes.
    [[nodiscard]] QCoro::Task<std::optional<BriefingResult>> generateBriefing(SavedLocation location,
        std::optional<QString> apiKey, bool fahrenheit, bool mph, bool localExpertise,
        std::optional<QList<NwsAlert>> knownAlerts = std::nullopt);

    // The answer to one question, with the last five turns as context and web search allowed.
    // Throws AiError, HttpError, JsonError or NetworkError.
    [[nodiscard]] QCoro::Task<QString> answer(QString question, SavedLocation location, std::optional<QString> apiKey,
        QList<QaPair> history, bool fahrenheit, bool mph, bool localExpertise);

    // What local media have been saying, summarised; nothing when nothing useful was found or
    // the search failed. Cached per place for three hours, failures included.
    [[nodiscard]] QCoro::Task<std::optional<QString>> localCoverage(SavedLocation location, QString apiKey);

    // Cuts the last line labelled with marker (any letter case) off the end of text and returns
    // its value without quotes; nothing when the marker is missing or the value is empty.
    static std::optional<QString> extractLine(QString &text, const QString &marker);

    // Whether a local-coverage reply means "nothing found": the word NONE, in any case, alone or
    // followed by something that is not a letter ("None.", "none found"), but not a summary that
    // merely opens with such letters ("Nonetheless, ...").
    [[nodiscard]] static bool meansNothingFound(const QString &reply);

    [[nodiscard]] static QString briefingUserMessage(const SavedLocation &location, const QString &dataBlock);

private:
    MessagesClient &m_client;
    Sources m_sources;
    const Clock &m_clock;

    struct CachedResult
    {
        QDateTime at;
        BriefingResult result;
    };
    struct CachedText
    {
        QDateTime at;
        QString text;
    };
    QHash<QString, CachedResult> m_briefingCache;
    QHash<QString, CachedText> m_expertiseCache;
};
