// SPDX-License-Identifier: GPL-3.0-or-later
// The composer's briefing as the app and merrin-cli compose get it.
#include "ComposerFixtures.h"

#include "CliRunner.h"
#include "FakeServer.h"

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
    if (!file.open(QIODevice::WriteOnly)) {
        ADD_FAILURE() << "cannot write " << name.toStdString();
    }
    file.write(content);
    return file.fileName();
}

QJsonObject savedInputs(const QJsonObject &forecast)
{
    QJsonObject normalsHighs;
    for (int day = 13; day <= 20; ++day) {
        normalsHighs.insert(QStringLiteral("07-%1").arg(day), 28.0); // 82.4 °F
    }
    return QJsonObject {
        { QStringLiteral("forecast"), forecast },
        { QStringLiteral("alerts"),
            QJsonArray { QJsonObject { { QStringLiteral("id"), QStringLiteral("a1") },
                             { QStringLiteral("event"), QStringLiteral("Heat Advisory") },
                             { QStringLiteral("severity"), QStringLiteral("Moderate") },
                             { QStringLiteral("headline"), QJsonValue::Null },
                             { QStringLiteral("ends"), QStringLiteral("2026-07-14T21:00:00-05:00") } },
                QJsonObject { { QStringLiteral("id"), QStringLiteral("a2") },
                    { QStringLiteral("event"), QStringLiteral("Excessive Heat Warning") },
                    { QStringLiteral("severity"), QStringLiteral("Severe") } } } },
        { QStringLiteral("nowcast"),
            QJsonObject { { QStringLiteral("summary"), QStringLiteral("Rain starting around 10:40 AM") },
                { QStringLiteral("minutes"),
                    QJsonArray { QJsonObject { { QStringLiteral("date"), QStringLiteral("2026-07-14T15:16:00Z") },
                        { QStringLiteral("chance"), 0.4 }, { QStringLiteral("intensity"), 1.2 } } } } } },
        { QStringLiteral("normals"),
            QJsonObject { { QStringLiteral("highs"), normalsHighs }, { QStringLiteral("lows"), QJsonObject {} },
                { QStringLiteral("signature"), QStringLiteral("41.9|-87.6") },
                { QStringLiteral("computedYear"), 2026 } } },
    };
}

} // namespace

TEST(LocalBriefing, TextForTheAppModel)
{
    Forecast f = fixtures::quietForecast(QStringLiteral("2026-07-14T10:00"));
    const QString text = localBriefingText(f, {}, std::nullopt, std::nullopt);
    const QStringList sentences = selectSentences(candidates(fixtures::featuresOf(f)));
    EXPECT_GE(sentences.size(), 4);
    EXPECT_EQ(text, sentences.join(u' '));

    f.current.time = QStringLiteral("not a time");
    EXPECT_EQ(localBriefingText(f, {}, std::nullopt, std::nullopt), QString());
    EXPECT_EQ(composeReport(ComposerInputs { f, {}, std::nullopt, std::nullopt }), QStringLiteral("---\n\n"));
    EXPECT_EQ(composeReport(ComposerInputs {}), QStringLiteral("---\n\n"));
}

TEST(LocalBriefing, ReadsSavedInputs)
{
    const Forecast forecast = fixtures::quietForecast();
    const ComposerInputs inputs = composerInputsFromJson(savedInputs(forecast_json::toJson(forecast)));
    EXPECT_EQ(inputs.forecast, forecast);
    ASSERT_EQ(inputs.alerts.size(), 2);
    EXPECT_EQ(inputs.alerts[0].event, QStringLiteral("Heat Advisory"));
    EXPECT_EQ(inputs.alerts[0].ends, QStringLiteral("2026-07-14T21:00:00-05:00"));
    EXPECT_FALSE(inputs.alerts[0].headline);
    EXPECT_FALSE(inputs.alerts[1].ends);
    ASSERT_TRUE(inputs.nowcast);
    EXPECT_EQ(inputs.nowcast->summary, QStringLiteral("Rain starting around 10:40 AM"));
    ASSERT_EQ(inputs.nowcast->minutes.size(), 1);
    EXPECT_EQ(inputs.nowcast->minutes[0].date, QDateTime(QDate(2026, 7, 14), QTime(15, 16), Qt::UTC));
    EXPECT_EQ(inputs.nowcast->minutes[0].chance, 0.4);
    ASSERT_TRUE(inputs.normals);
    EXPECT_EQ(inputs.normals->highs.value(QStringLiteral("07-14")), 28.0);

    const ComposerInputs empty = composerInputsFromJson(QJsonObject {
        { QStringLiteral("nowcast"), QJsonValue::Null }, { QStringLiteral("normals"), QJsonValue::Null } });
    EXPECT_TRUE(empty.forecast.daily.isEmpty());
    EXPECT_TRUE(empty.alerts.isEmpty());
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
        SCOPED_TRACE(row.member);
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
    const CliResult forecast = runCli(server,
        { QStringLiteral("forecast"), QStringLiteral("41.878"), QStringLiteral("-87.6298"),
            QStringLiteral("America/Chicago") });
    ASSERT_EQ(forecast.exitCode, 0) << forecast.err.toStdString();
    const QJsonObject forecastJson = QJsonDocument::fromJson(forecast.out.toUtf8()).object();

    QTemporaryDir dir;
    const QString path =
        writeFile(dir, QStringLiteral("inputs.json"), QJsonDocument(savedInputs(forecastJson)).toJson());
    const CliResult first = runCli(server, { QStringLiteral("compose"), QStringLiteral("--input"), path });
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    const CliResult second = runCli(server, { QStringLiteral("compose"), QStringLiteral("--input"), path });
    EXPECT_EQ(first.out, second.out);

    const QStringList lines = first.out.split(u'\n');
    const qsizetype separator = lines.indexOf(QStringLiteral("---"));
    ASSERT_GT(separator, 0);
    ASSERT_EQ(lines.size(), separator + 3); // the briefing, then the final newline
    EXPECT_TRUE(lines.last().isEmpty());
    EXPECT_EQ(lines[0], QStringLiteral("alert\tnow\t100\tAn Excessive Heat Warning is in effect."));
    EXPECT_EQ(lines[1], QStringLiteral("precip\tnow\t75\tRain starting around 10:40 AM."));
    for (qsizetype i = 0; i < separator; ++i) {
        EXPECT_EQ(lines[i].count(u'\t'), 3) << lines[i].toStdString();
    }
    // Highs run 89 to 91 °F against a normal of 82.4: about 5 degrees above.
    EXPECT_TRUE(first.out.contains(QStringLiteral("climate\tstretch\t36\t"))) << first.out.toStdString();

    const ComposerInputs inputs = composerInputsFromJson(savedInputs(forecastJson));
    const QString briefing = localBriefingText(inputs.forecast, inputs.alerts, inputs.nowcast, inputs.normals);
    EXPECT_EQ(lines[separator + 1], briefing);
    const qsizetype sentences = briefing.count(QStringLiteral(". "));
    EXPECT_GE(sentences + 1, 4);
    EXPECT_LE(sentences + 1, 6);

    // The live form with the same forecast and no other sources gives the replay of the forecast alone.
    const QString forecastOnly = writeFile(dir, QStringLiteral("forecast.json"),
        QJsonDocument(QJsonObject { { QStringLiteral("forecast"), forecastJson } }).toJson());
    const CliResult replay = runCli(server, { QStringLiteral("compose"), QStringLiteral("--input"), forecastOnly });
    const CliResult live = runCli(server,
        { QStringLiteral("compose"), QStringLiteral("41.878"), QStringLiteral("-87.6298"),
            QStringLiteral("America/Chicago") });
    ASSERT_EQ(live.exitCode, 0) << live.err.toStdString();
    EXPECT_EQ(live.out, replay.out);
}

TEST(CliCompose, NoFeaturesAndBadFiles)
{
    FakeServer server;
    QTemporaryDir dir;
    const auto compose = [&](const QByteArray &content) {
        return runCli(server,
            { QStringLiteral("compose"), QStringLiteral("--input"),
                writeFile(dir, QStringLiteral("in.json"), content) });
    };
    Forecast f = fixtures::quietForecast();
    f.current.time = QStringLiteral("2026-07-14 10:00");
    CliResult result =
        compose(QJsonDocument(QJsonObject { { QStringLiteral("forecast"), forecast_json::toJson(f) } }).toJson());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("---\n\n"));
    result = compose("{}");
    EXPECT_EQ(result.out, QStringLiteral("---\n\n"));

    result = compose("{\"alerts\": 3}");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.trimmed(), QStringLiteral("Saved inputs: \"alerts\" must be a list."));
    result = compose("[1, 2]");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.trimmed(), QStringLiteral("Saved inputs must be a JSON object."));
    result = compose("{\"forecast\": ");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_FALSE(result.err.isEmpty());
    EXPECT_TRUE(result.out.isEmpty());
    result = runCli(
        server, { QStringLiteral("compose"), QStringLiteral("--input"), dir.filePath(QStringLiteral("missing.json")) });
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("Cannot read "))) << result.err.toStdString();
    result = runCli(server,
        { QStringLiteral("compose"), QStringLiteral("--input"), dir.filePath(QStringLiteral("in.json")),
            QStringLiteral("1") });
    EXPECT_EQ(result.exitCode, 2);
    result = runCli(server, { QStringLiteral("compose"), QStringLiteral("1"), QStringLiteral("2") });
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("missing TZ")));
}
