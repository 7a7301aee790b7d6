// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/AiService.h"

#include "ai/AiError.h"
#include "ai/BriefingSignature.h"
#include "ai/Log.h"
#include "ai/Prompts.h"
#include "net/AppError.h"
#include "net/Captured.h"
#include "net/Clock.h"
#include "sources/BriefingSections.h"
#include "sources/NwsService.h"
#include "sources/SpcService.h"
#include "text/DateText.h"
#include "text/NumberText.h"
#include "text/Trim.h"
#include "weather/ForecastService.h"
#include "weather/NowcastService.h"

#include <QDebug>
#include <QJsonArray>
#include <QLocale>

#include <exception>

namespace {

QCoro::Task<QList<NwsAlert>> alreadyKnown(QList<NwsAlert> alerts)
{
    co_return alerts;
}

QJsonObject message(const QString &role, const QString &content)
{
    return QJsonObject { { QStringLiteral("role"), role }, { QStringLiteral("content"), content } };
}

QJsonArray webSearchTool()
{
    return QJsonArray { QJsonObject { { QStringLiteral("type"), QStringLiteral("web_search_20250305") },
        { QStringLiteral("name"), QStringLiteral("web_search") }, { QStringLiteral("max_uses"), 3 } } };
}

bool hasKey(const std::optional<QString> &apiKey)
{
    return apiKey && !apiKey->isEmpty();
}

QString stripQuotes(QString value)
{
    const auto isQuote = [](QChar c) { return c == u'"' || c == QChar(0x201C) || c == QChar(0x201D); };
    while (!value.isEmpty() && isQuote(value.front())) {
        value.remove(0, 1);
    }
    while (!value.isEmpty() && isQuote(value.back())) {
        value.chop(1);
    }
    return value;
}

} // namespace

AiService::AiService(MessagesClient &client, Sources sources, const Clock &clock)
    : m_client(client)
    , m_sources(sources)
    , m_clock(clock)
{ }

std::optional<QString> AiService::extractLine(QString &text, const QString &marker)
{
    const qsizetype at = text.lastIndexOf(marker, -1, Qt::CaseInsensitive);
    if (at < 0) {
        return std::nullopt;
    }
    const QString value = stripQuotes(text::trimmedWhitespaceAndNewlines(text.mid(at + marker.size())));
    text = text::trimmedWhitespaceAndNewlines(text.left(at));
    return value.isEmpty() ? std::nullopt : std::optional<QString>(value);
}

bool AiService::meansNothingFound(const QString &reply)
{
    const QString trimmed = text::trimmedWhitespaceAndNewlines(reply);
    if (!trimmed.startsWith(QLatin1StringView("NONE"), Qt::CaseInsensitive)) {
        return false;
    }
    return trimmed.size() == 4 || !trimmed.at(4).isLetter();
}

QString AiService::briefingUserMessage(const SavedLocation &location, const QString &dataBlock)
{
    return QStringLiteral("Location: ") + location.displayLabel() + QStringLiteral("\n\nForecast data:\n") + dataBlock
        + prompts::briefingClosingInstruction();
}

QCoro::Task<QString> AiService::forecastData(SavedLocation location, bool fahrenheit, bool mph,
    std::optional<QString> apiKey, bool localExpertise, std::optional<QList<NwsAlert>> knownAlerts)
{
    const double lat = location.latitude;
    const double lon = location.longitude;
    // Everything starts at once; the answers are read back in a fixed order.
    const net::RequestGroup others = net::RequestGroup::create();
    auto summaryTask = m_sources.forecasts.forecastSummary(lat, lon, location.timezone, fahrenheit, mph);
    auto alertsTask =
        knownAlerts ? alreadyKnown(std::move(*knownAlerts)) : m_sources.nws.activeAlerts(lat, lon, others);
    auto discussionTask = m_sources.nws.areaForecastDiscussion(lat, lon, others);
    auto hazardsTask = m_sources.nws.hazardousWeatherOutlook(lat, lon, others);
    auto outlookTask = m_sources.spc.convectiveOutlookText(lat, lon, others);
    auto nowcastTask = m_sources.nowcast.nowcastText(lat, lon, location.timezone, others);

    net::Captured<QString> summary = co_await net::capture(std::move(summaryTask));
    if (summary.error) {
        // Without the forecast there is no block: the others are given up, and end at once
        // (they never fail) before the error is raised.
        others.abort();
        co_await std::move(alertsTask);
        co_await std::move(discussionTask);
        co_await std::move(hazardsTask);
        co_await std::move(outlookTask);
        co_await std::move(nowcastTask);
    }
    QStringList sections { summary.take() };

    if (localExpertise && hasKey(apiKey)) {
        if (const std::optional<QString> coverage = co_await localCoverage(location, *apiKey)) {
            sections.append(prompts::localCoverageHeading() + *coverage);
        }
    }
    if (const std::optional<QString> nowcast = co_await std::move(nowcastTask)) {
        sections.append(*nowcast);
    }
    if (const QList<NwsAlert> alerts = co_await std::move(alertsTask); !alerts.isEmpty()) {
        sections.append(briefing_sections::alertsSection(alerts));
    }
    if (const std::optional<QString> outlook = co_await std::move(outlookTask)) {
        sections.append(*outlook);
    }
    if (const std::optional<NwsTextProduct> hazards = co_await std::move(hazardsTask)) {
        sections.append(briefing_sections::hazardousWeatherOutlookSection(*hazards));
    }
    if (const std::optional<NwsTextProduct> discussion = co_await std::move(discussionTask)) {
        sections.append(briefing_sections::areaForecastDiscussionSection(*discussion));
    }
    co_return sections.join(QStringLiteral("\n\n"));
}

QCoro::Task<std::optional<BriefingResult>> AiService::generateBriefing(SavedLocation location,
    std::optional<QString> apiKey, bool fahrenheit, bool mph, bool localExpertise,
    std::optional<QList<NwsAlert>> knownAlerts)
{
    if (!hasKey(apiKey)) {
        co_return std::nullopt;
    }
    const QString key = briefingSignature(location, fahrenheit, mph, localExpertise);
    if (const auto it = m_briefingCache.constFind(key);
        it != m_briefingCache.cend() && it->at.secsTo(m_clock.now()) < kBriefingCacheSeconds) {
        co_return it->result;
    }

    QString dataBlock;
    try {
        dataBlock = co_await forecastData(location, fahrenheit, mph, apiKey, localExpertise, std::move(knownAlerts));
    } catch (const std::exception &e) {
        qCInfo(aiLog).noquote() << "[ai] no briefing, the forecast data failed:" << describeError(e);
        co_return std::nullopt;
    }

    const QJsonObject body {
        { QStringLiteral("model"), kBriefingModel },
        { QStringLiteral("max_tokens"), 400 },
        { QStringLiteral("system"), prompts::systemText(prompts::briefingSystemBase(), fahrenheit, mph) },
        { QStringLiteral("messages"),
            QJsonArray { message(QStringLiteral("user"), briefingUserMessage(location, dataBlock)) } },
    };
    QJsonObject reply;
    try {
        reply = co_await m_client.send(body, *apiKey);
    } catch (const AppError &e) {
        qCInfo(aiLog).noquote() << "[ai] briefing request failed:" << e.description();
        co_return std::nullopt;
    } catch (const std::exception &) {
        co_return std::nullopt;
    }

    QString text = MessagesClient::replyText(reply);
    if (text.isEmpty()) {
        co_return std::nullopt;
    }
    BriefingResult result;
    result.suggestedQuestion = extractLine(text, QStringLiteral("SUGGESTED QUESTION:"));
    result.headline = extractLine(text, QStringLiteral("HEADLINE:"));
    if (text.isEmpty()) {
        co_return std::nullopt;
    }
    result.text = text;
    m_briefingCache.insert(key, CachedResult { m_clock.now(), result });
    co_return result;
}

QCoro::Task<QString> AiService::answer(QString question, SavedLocation location, std::optional<QString> apiKey,
    QList<QaPair> history, bool fahrenheit, bool mph, bool localExpertise)
{
    const QString trimmed = text::trimmedWhitespaceAndNewlines(question);
    if (trimmed.isEmpty()) {
        throw AiError::emptyQuestion();
    }
    if (!hasKey(apiKey)) {
        throw AiError::noApiKey();
    }
    const QString dataBlock = co_await forecastData(location, fahrenheit, mph, apiKey, localExpertise);

    const QByteArray locale = QLocale::system().name().toLatin1();
    const QString dateLine = text::formatDate(
        m_clock.now(), QStringLiteral("EEEE, MMMM d, yyyy"), text::zoneOrSystem(location.timezone), locale.constData());
    const QString userMessage =
        QStringList {
            QStringLiteral("Location: ") + location.displayLabel(),
            QStringLiteral("Today is ") + dateLine + QStringLiteral(" (local time in ") + location.timezone
                + QStringLiteral(")."),
            QString(),
            QStringLiteral("Forecast data:"),
            dataBlock,
            QString(),
            QStringLiteral("Question: ") + trimmed,
        }
            .join(QLatin1Char('\n'));

    QJsonArray messages;
    for (const QaPair &pair : history.mid(std::max<qsizetype>(0, history.size() - kMaxHistoryTurns))) {
        const QString q = text::trimmedWhitespaceAndNewlines(pair.question);
        const QString a = text::trimmedWhitespaceAndNewlines(pair.answer);
        if (q.isEmpty() || a.isEmpty()) {
            continue;
        }
        messages.append(message(QStringLiteral("user"), q));
        messages.append(message(QStringLiteral("assistant"), a));
    }
    messages.append(message(QStringLiteral("user"), userMessage));

    QJsonObject body {
        { QStringLiteral("model"), kAskModel },
        { QStringLiteral("max_tokens"), 2048 },
        { QStringLiteral("system"), prompts::systemText(prompts::askSystemBase(), fahrenheit, mph) },
        { QStringLiteral("messages"), messages },
        { QStringLiteral("tools"), webSearchTool() },
    };
    QJsonObject reply;
    bool retryWithoutTools = false;
    try {
        reply = co_await m_client.send(body, *apiKey);
    } catch (const AiError &e) {
        if (e.kind() != AiError::Kind::Api || e.status() != 400
            || !e.message().toLower().contains(QLatin1StringView("web_search"))) {
            throw;
        }
        retryWithoutTools = true;
    }
    if (retryWithoutTools) {
        qCInfo(aiLog).noquote() << "[ai] web search unavailable for this key; asking without it";
        body.remove(QStringLiteral("tools"));
        reply = co_await m_client.send(body, *apiKey);
    }

    if (reply.value(QLatin1StringView("stop_reason")).toString() == QLatin1StringView("refusal")) {
        throw AiError::refused();
    }
    const QString text = MessagesClient::replyText(reply);
    if (text.isEmpty()) {
        throw AiError::emptyAnswer();
    }
    co_return text;
}

QCoro::Task<std::optional<QString>> AiService::localCoverage(SavedLocation location, QString apiKey)
{
    const QString key = text::cformat("%.2f|%.2f", location.latitude, location.longitude);
    if (const auto it = m_expertiseCache.constFind(key);
        it != m_expertiseCache.cend() && it->at.secsTo(m_clock.now()) < kExpertiseCacheSeconds) {
        co_return it->text.isEmpty() ? std::nullopt : std::optional<QString>(it->text);
    }
    const QJsonObject body {
        { QStringLiteral("model"), kBriefingModel },
        { QStringLiteral("max_tokens"), 500 },
        { QStringLiteral("system"), prompts::localCoverageSystemPrompt() },
        { QStringLiteral("messages"),
            QJsonArray {
                message(QStringLiteral("user"), prompts::localCoverageSearchPrompt(location.displayLabel())) } },
        { QStringLiteral("tools"), webSearchTool() },
    };
    QString text;
    try {
        const QJsonObject reply = co_await m_client.send(body, apiKey);
        text = MessagesClient::replyText(reply);
        if (meansNothingFound(text)) {
            text.clear();
        }
    } catch (const std::exception &) {
        text.clear();
    }
    m_expertiseCache.insert(key, CachedText { m_clock.now(), text });
    co_return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}
