// SPDX-License-Identifier: GPL-3.0-or-later
// The composer's briefing as the app and merrin-cli compose get it.
#include "ComposerFixtures.h"

#include "CliRunner.h"
#include "FakeServer.h"
#include "TestOutput.h"

#include "composer/LocalBriefing.h"
#include "net/AppError.h"
#include "weather/ForecastJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

using namespace composer;

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(content);
    return file.fileName();
}

// Two alerts, a nowcast and normals of 28 °C (82.4 °F) around mid July, with the forecast given.
QJsonObject savedInputs(const QJsonObject &forecast)
{
    QJsonObject inputs = QJsonDocument::fromJson(R"({"alerts": [
        {"id": "a1", "event": "Heat Advisory", "severity": "Moderate", "headline": null,
         "ends": "2026-07-14T21:00:00-05:00"},
        {"id": "a2", "event": "Excessive Heat Warning", "severity": "Severe"}],
      "nowcast": {"summary": "Rain starting around 10:40 AM",
                  "minutes": [{"date": "2026-07-14T15:16:00Z", "chance": 0.4, "intensity": 1.2}]},
      "normals": {"highs": {"07-13": 28, "07-14": 28, "07-15": 28, "07-16": 28, "07-17": 28, "07-18": 28,
                            "07-19": 28, "07-20": 28},
                  "lows": {}, "signature": "41.9|-87.6", "computedYear": 2026}})")
                             .object();
    inputs.insert(QStringLiteral("forecast"), forecast);
    return inputs;
}

} // namespace

TEST(LocalBriefing, TextForTheAppModel)
{
    Forecast f = fixtures::quietForecast();
    EXPECT_EQ(localBriefingText(f, {}, std::nullopt, std::nullopt),
        selectSentences(candidates(fixtures::featuresOf(f))).join(u' '));

    f.current.time = QStringLiteral("not a time");
    EXPECT_EQ(localBriefingText(f, {}, std::nullopt, std::nullopt), QString());
    EXPECT_EQ(composeReport(ComposerInputs { f, {}, std::nullopt, std::nullopt }), QStringLiteral("---\n\n"));
}

TEST(LocalBriefing, ReadsSavedInputs)
{
    // What the inputs hold shows in the replay below; here the forecast survives the trip and
    // absent or malformed members are named.
    const Forecast forecast = fixtures::quietForecast();
    EXPECT_EQ(composerInputsFromJson(savedInputs(forecast_json::toJson(forecast))).forecast, forecast);
    const ComposerInputs empty = composerInputsFromJson(QJsonObject {
        { QStringLiteral("nowcast"), QJsonValue::Null }, { QStringLiteral("normals"), QJsonValue::Null } });
    EXPECT_TRUE(empty.forecast.daily.isEmpty());
    EXPECT_FALSE(empty.nowcast);
    EXPECT_FALSE(empty.normals);

    const struct
    {
        const char *member;
        QJsonValue value;
        const char *message;
    } bad[] = {
        { "forecast", QJsonArray {}, "Saved inputs: \"forecast\" must be an object." },
        { "alerts", QJsonObject {}, "Saved inputs: \"alerts\" must be a list." },
        { "alerts", QJsonArray { 1 }, "Saved inputs: every alert must be an object." },
        { "nowcast", QStringLiteral("rain"), "Saved inputs: \"nowcast\" must be null or an object." },
        { "nowcast", QJsonObject { { QStringLiteral("minutes"), QJsonArray { QJsonObject {} } } },
            "Saved inputs: a nowcast minute has no valid date." },
        { "normals", QJsonObject {}, "Saved inputs: \"normals\" must be null or climate normals." },
    };
    for (const auto &row : bad) {
        SCOPED_TRACE(row.message);
        try {
            (void)composerInputsFromJson(QJsonObject { { QString::fromLatin1(row.member), row.value } });
            ADD_FAILURE() << "no error";
        } catch (const AppError &e) {
            EXPECT_EQ(e.description(), QString::fromLatin1(row.message));
        }
    }
}

TEST(CliCompose, ReplaysSavedInputsTheSameWayEveryTime)
{
    FakeServer server;
    server.route(QStringLiteral("/v1/forecast"),
        FakeServer::fromFile(QStringLiteral("openmeteo_forecast_synthetic_chicago_7day.json")));
    const QStringList place { QStringLiteral("41.878"), QStringLiteral("-87.6298"), QStringLiteral("America/Chicago") };
    const CliResult forecast = runCli(server, QStringList { QStringLiteral("forecast") } + place);
    ASSERT_EQ(forecast.exitCode, 0) << forecast.err.toStdString();
    const QJsonObject forecastJson = QJsonDocument::fromJson(forecast.out.toUtf8()).object();

    test_support::TempDir dir;
    const QString path =
        writeFile(dir, QStringLiteral("inputs.json"), QJsonDocument(savedInputs(forecastJson)).toJson());
    const CliResult first = runCli(server, { QStringLiteral("compose"), QStringLiteral("--input"), path });
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(runCli(server, { QStringLiteral("compose"), QStringLiteral("--input"), path }).out, first.out);

    const QStringList lines = first.out.split(u'\n');
    const qsizetype separator = lines.indexOf(QStringLiteral("---"));
    ASSERT_GT(separator, 0);
    ASSERT_EQ(lines.size(), separator + 3); // the briefing, then the final newline
    EXPECT_EQ(lines[0], QStringLiteral("alert\tnow\t100\tAn Excessive Heat Warning is in effect."));
    EXPECT_EQ(lines[1], QStringLiteral("precip\tnow\t75\tRain starting around 10:40 AM."));
    // Highs run 89 to 91 °F against a normal of 82.4: about 5 degrees above.
    EXPECT_TRUE(first.out.contains(QStringLiteral("climate\tstretch\t36\t"))) << first.out.toStdString();
    const ComposerInputs inputs = composerInputsFromJson(savedInputs(forecastJson));
    EXPECT_EQ(lines[separator + 1], localBriefingText(inputs.forecast, inputs.alerts, inputs.nowcast, inputs.normals));

    // The live form with the same forecast and no other sources gives the replay of the forecast alone.
    const QString forecastOnly = writeFile(dir, QStringLiteral("forecast.json"),
        QJsonDocument(QJsonObject { { QStringLiteral("forecast"), forecastJson } }).toJson());
    const CliResult replay = runCli(server, { QStringLiteral("compose"), QStringLiteral("--input"), forecastOnly });
    const CliResult live = runCli(server, QStringList { QStringLiteral("compose") } + place);
    ASSERT_EQ(live.exitCode, 0) << live.err.toStdString();
    EXPECT_EQ(live.out, replay.out);
}

TEST(CliCompose, NoFeaturesAndBadFiles)
{
    FakeServer server;
    test_support::TempDir dir;
    const auto compose = [&](const QByteArray &content) {
        return runCli(server,
            { QStringLiteral("compose"), QStringLiteral("--input"),
                writeFile(dir, QStringLiteral("in.json"), content) });
    };
    // An empty forecast has no features (an unreadable time: TextForTheAppModel).
    CliResult result = compose("{}");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("---\n\n"));

    result = compose("[1, 2]");
    EXPECT_EQ(result.exitCode, 1);
    // Errors name the file, which no server wrote.
    const QString input = dir.filePath(QStringLiteral("in.json"));
    EXPECT_EQ(result.err.trimmed(), input + QStringLiteral(" is not a JSON object of saved inputs."));
    result = compose("{\"forecast\": ");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.startsWith(input + QStringLiteral(" is not JSON: "))) << result.err.toStdString();
    result = runCli(
        server, { QStringLiteral("compose"), QStringLiteral("--input"), dir.filePath(QStringLiteral("missing.json")) });
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("Cannot read "))) << result.err.toStdString();
    result = runCli(server, { QStringLiteral("compose"), QStringLiteral("1"), QStringLiteral("2") });
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("missing TZ")));
}
