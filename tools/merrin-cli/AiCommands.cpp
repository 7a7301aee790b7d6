// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli data-block LAT LON TZ NAME [--admin1 R] [--local-expertise] [--celsius] [--kmh]
//     the forecast-data block the presenter reads (local coverage needs a key)
// merrin-cli briefing LAT LON TZ NAME [--admin1 R] [--local-expertise] [--celsius] [--kmh]
//     The Briefing as JSON (text, headline, suggestedQuestion), or null when none could be written
// merrin-cli ask QUESTION LAT LON TZ NAME [--admin1 R] [--local-expertise] [--celsius] [--kmh] [--history FILE]
//     the presenter's answer; FILE holds earlier turns as a JSON list of {"question", "answer"}
// The Anthropic key comes from --key-file FILE or --key-stdin, never from the command line.
#include "CliContext.h"

#include "ai/AiService.h"
#include "ai/MessagesClient.h"
#include "net/JsonReaders.h"
#include "platform/MinuteForecastSource.h"
#include "sources/NwsService.h"
#include "sources/SpcService.h"
#include "weather/ForecastService.h"
#include "weather/NowcastService.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

namespace {

const QString kPlaceUsage = QStringLiteral("LAT LON TZ NAME [--admin1 REGION] [--local-expertise] [--celsius] [--kmh]");
const QStringList kPlaceFlags { QStringLiteral("local-expertise"), QStringLiteral("celsius"), QStringLiteral("kmh") };

// Every service the presenter reads, built for one run.
struct Presenter
{
    explicit Presenter(CliContext &context)
        : forecasts(*context.network, context.endpoints)
        , nws(*context.network, context.endpoints, *context.clock)
        , spc(*context.network, context.endpoints, *context.clock)
        , minutes(*context.network, context.endpoints, *context.clock)
        , nowcast(minutes, *context.clock)
        , client(context.endpoints.anthropic)
        , ai(client, AiService::Sources { forecasts, nws, spc, nowcast }, *context.clock)
    { }

    ForecastService forecasts;
    NwsService nws;
    SpcService spc;
    MinuteForecastSource minutes;
    NowcastService nowcast;
    MessagesClient client;
    AiService ai;
};

struct PlaceArgs
{
    SavedLocation place;
    bool fahrenheit = true;
    bool mph = true;
    bool localExpertise = false;
};

PlaceArgs placeArgs(const CliContext &context, qsizetype first)
{
    PlaceArgs out;
    out.place.latitude = context.number(first, "LAT");
    out.place.longitude = context.number(first + 1, "LON");
    out.place.timezone = context.arg(first + 2, "TZ");
    out.place.name = context.arg(first + 3, "NAME");
    if (context.options.contains(QStringLiteral("admin1"))) {
        out.place.admin1 = context.options.value(QStringLiteral("admin1"));
    }
    out.fahrenheit = !context.flag(QStringLiteral("celsius"));
    out.mph = !context.flag(QStringLiteral("kmh"));
    out.localExpertise = context.flag(QStringLiteral("local-expertise"));
    return out;
}

QList<QaPair> readHistory(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw UsageError("cannot read the history file " + path.toStdString());
    }
    QList<QaPair> history;
    const QJsonValue list = json::parse(file.readAll());
    if (!list.isArray()) {
        throw UsageError("the history file must hold a JSON list of {\"question\", \"answer\"} objects");
    }
    for (const QJsonValue &item : list.toArray()) {
        const std::optional<QaPair> pair = QaPair::fromJson(item);
        if (!pair) {
            throw UsageError("the history file must hold a JSON list of {\"question\", \"answer\"} objects");
        }
        history.append(*pair);
    }
    return history;
}

QJsonValue optionalText(const std::optional<QString> &value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QCoro::Task<int> dataBlock(CliContext &context)
{
    const PlaceArgs a = placeArgs(context, 0);
    Presenter presenter(context);
    printText(co_await presenter.ai.forecastData(a.place, a.fahrenheit, a.mph, context.apiKey, a.localExpertise));
    co_return 0;
}

QCoro::Task<int> briefing(CliContext &context)
{
    const PlaceArgs a = placeArgs(context, 0);
    Presenter presenter(context);
    const std::optional<BriefingResult> result =
        co_await presenter.ai.generateBriefing(a.place, context.apiKey, a.fahrenheit, a.mph, a.localExpertise);
    if (!result) {
        printJson(QJsonValue(QJsonValue::Null));
        co_return 0;
    }
    printJson(QJsonObject { { QStringLiteral("text"), result->text },
        { QStringLiteral("headline"), optionalText(result->headline) },
        { QStringLiteral("suggestedQuestion"), optionalText(result->suggestedQuestion) } });
    co_return 0;
}

QCoro::Task<int> ask(CliContext &context)
{
    const QString question = context.arg(0, "QUESTION");
    const PlaceArgs a = placeArgs(context, 1);
    const QList<QaPair> history = context.options.contains(QStringLiteral("history"))
        ? readHistory(context.options.value(QStringLiteral("history")))
        : QList<QaPair> {};
    Presenter presenter(context);
    printText(co_await presenter.ai.answer(
        question, a.place, context.apiKey, history, a.fahrenheit, a.mph, a.localExpertise));
    co_return 0;
}

const CliRegistration dataBlockRegistration(QStringLiteral("data-block"),
    { QStringLiteral("data-block ") + kPlaceUsage, kPlaceFlags, { QStringLiteral("admin1") }, dataBlock });
const CliRegistration briefingRegistration(QStringLiteral("briefing"),
    { QStringLiteral("briefing ") + kPlaceUsage, kPlaceFlags, { QStringLiteral("admin1") }, briefing });
const CliRegistration askRegistration(QStringLiteral("ask"),
    { QStringLiteral("ask QUESTION ") + kPlaceUsage + QStringLiteral(" [--history FILE]"), kPlaceFlags,
        { QStringLiteral("admin1"), QStringLiteral("history") }, ask });

} // namespace
