// SPDX-License-Identifier: GPL-3.0-or-later
// The forecast-data block the model reads, and the local-coverage search that joins it.
#include "ai/AiService.h"
#include "net/AppError.h"
#include "sources/BriefingSections.h"

#include "AiWorld.h"

#include <gtest/gtest.h>

using namespace ai_test;
using test_support::await;

namespace {

const QString kCoverageHeading = QStringLiteral("Recent local weather coverage (summarized from local TV and news via "
                                                "web search — treat as color, not as forecast data):\n");

// Inside the outlook area of the trimmed day-1 file.
SavedLocation lordsburg()
{
    SavedLocation place;
    place.name = QStringLiteral("Lordsburg");
    place.admin1 = QStringLiteral("New Mexico");
    place.latitude = 32.4;
    place.longitude = -108.61;
    place.timezone = QStringLiteral("America/Denver");
    return place;
}

// Rain all through the next hour; 1784041200 is 2026-07-14T15:00Z.
FakeServer::Response wetMinutes()
{
    return FakeServer::json(R"({"minutely_15":{"time":[1784041200,1784042100,1784043000,1784043900,1784044800],
        "precipitation":[0.5,0.5,0.5,0.5,0.5],"precipitation_probability":[90,90,90,90,90]}})");
}

FakeServer::Response alertFeed()
{
    return FakeServer::json(R"({"features":[
      {"properties":{"id":"a1","status":"Actual","messageType":"Alert","event":"Air Quality Alert","severity":"Moderate",
                     "description":"Ozone\n  levels are\thigh."}},
      {"properties":{"id":"a2","status":"Actual","messageType":"Alert","event":"Flash Flood Warning","severity":"Severe",
                     "onset":"2026-07-14T09:00:00-06:00","ends":"2026-07-14T12:00:00-06:00",
                     "headline":"Flash Flood Warning until noon","description":"Heavy rain."}}]})");
}

bool isCoverageSearch(const FakeServer::Request &r)
{
    return bodyOf(r).value(QLatin1StringView("system")).toString().startsWith(QStringLiteral("You are a research"));
}

int coverageSearches(const FakeServer &server)
{
    int n = 0;
    for (const FakeServer::Request &r : server.requests(kMessagesPath)) {
        n += isCoverageSearch(r) ? 1 : 0;
    }
    return n;
}

QString block(AiWorld &world, const SavedLocation &place, bool localExpertise = true, std::optional<QString> key = kKey)
{
    return await(world.ai.forecastData(place, true, true, key, localExpertise));
}

} // namespace

TEST(ForecastData, EverySectionInItsPlace)
{
    AiWorld world;
    world.clock.set(QDateTime(QDate(2026, 7, 14), QTime(15, 0, 30), Qt::UTC));
    world.setForecast(FakeServer::fromFile(QStringLiteral("forecast_text/minimal_main.json")), wetMinutes());
    FakeServer &server = world.server;
    server.route(QStringLiteral("/alerts/active"), alertFeed());
    server.route(QStringLiteral("/points/32.4000,-108.6100"), FakeServer::json(R"({"properties":{"cwa":"ABQ"}})"));
    server.route(QStringLiteral("/products/types/AFD/locations/ABQ"),
        FakeServer::fromFile(QStringLiteral("nws_products_types_AFD_locations_GYX_2019.json")));
    server.route(QStringLiteral("/products/2a244c90-fec3-446c-b73b-d333569c0329"),
        FakeServer::fromFile(QStringLiteral("nws_product_AFD_GYX_2019-08-25.json")));
    server.route(QStringLiteral("/products/types/HWO/locations/ABQ"),
        FakeServer::json(R"({"@graph":[{"id":"hwo-1","issuanceTime":"2025-07-25T08:18:00+00:00"}]})"));
    server.route(QStringLiteral("/products/hwo-1"),
        FakeServer::json(
            QJsonDocument(QJsonObject { { QStringLiteral("productText"),
                              QString::fromUtf8(testData(QStringLiteral("nws_productText_HWO_BGM_2025-07-25.txt"))) } })
                .toJson()));
    server.route(QStringLiteral("/products/outlook/day1otlk_cat.lyr.geojson"),
        FakeServer::fromFile(QStringLiteral("spc_day1otlk_cat_20260925_1630_nolyr_TRIMMED_geometry.geojson")));
    server.route(QStringLiteral("/products/outlook/day2otlk_cat.lyr.geojson"), FakeServer::json("{}", 500));
    server.route(QStringLiteral("/products/outlook/day3otlk_cat.lyr.geojson"), FakeServer::json(R"({"features":[]})"));
    server.route(
        kMessagesPath, textReply(QStringLiteral("Nonetheless, KRQE's team expects 1-2 inches in the bootheel.")));

    const SavedLocation place = lordsburg();
    const QString data = block(world, place);

    // The parts, from the services' own caches (each is tested with its service).
    const std::optional<QString> nowcast =
        await(world.nowcast.nowcastText(place.latitude, place.longitude, place.timezone));
    const std::optional<QString> outlook = await(world.spc.convectiveOutlookText(place.latitude, place.longitude));
    const std::optional<NwsTextProduct> hwo =
        await(world.nws.latestProduct(QStringLiteral("HWO"), QStringLiteral("ABQ")));
    const std::optional<NwsTextProduct> afd =
        await(world.nws.latestProduct(QStringLiteral("AFD"), QStringLiteral("ABQ")));
    ASSERT_TRUE(nowcast && outlook && hwo && afd);
    const QString hwoSection = briefing_sections::hazardousWeatherOutlookSection(*hwo);
    const QString afdSection = briefing_sections::areaForecastDiscussionSection(*afd);
    EXPECT_TRUE(hwoSection.startsWith(QStringLiteral("NWS Hazardous Weather Outlook (office ABQ, issued "
                                                     "2025-07-25T08:18:00+00:00) — plain-language hazards to watch "
                                                     "over the next 7 days:\n")));
    EXPECT_TRUE(afdSection.startsWith(QStringLiteral("NWS Area Forecast Discussion (office ABQ, issued "
                                                     "2019-08-25T10:00:00+00:00) — the local forecasters' own "
                                                     "reasoning about this forecast:\n")));

    const QString expected =
        QStringList {
            world.forecastText(place),
            kCoverageHeading + QStringLiteral("Nonetheless, KRQE's team expects 1-2 inches in the bootheel."),
            *nowcast,
            // Most severe first; an alert without onset, ends and headline keeps the full stop and two spaces.
            QStringLiteral("Active NWS alerts:\n"
                           "- Flash Flood Warning (severity: Severe), from 2026-07-14T09:00:00-06:00 until "
                           "2026-07-14T12:00:00-06:00. Flash Flood Warning until noon Heavy rain.\n"
                           "- Air Quality Alert (severity: Moderate).  Ozone levels are high."),
            *outlook,
            hwoSection,
            afdSection,
        }
            .join(QStringLiteral("\n\n"));
    EXPECT_EQ(data.toStdString(), expected.toStdString());
    EXPECT_TRUE(nowcast->startsWith(QStringLiteral("Minute-by-minute")));
    EXPECT_TRUE(outlook->startsWith(QStringLiteral("SPC convective (severe thunderstorm) outlook for this location:")));
}

TEST(ForecastData, OutsideTheUnitedStates)
{
    AiWorld world;
    world.server.route(kMessagesPath, textReply(QStringLiteral("Thames Barrier closed twice this week.")));
    const QString forecast = world.forecastText(london());
    {
        SCOPED_TRACE("without local expertise, or without a key, the forecast text alone");
        EXPECT_EQ(block(world, london(), false), forecast);
        EXPECT_EQ(block(world, london(), true, std::nullopt), forecast);
        EXPECT_EQ(block(world, london(), true, QString()), forecast);
        EXPECT_EQ(world.server.count(kMessagesPath), 0);
    }
    {
        SCOPED_TRACE("with local expertise, the coverage section after it");
        EXPECT_EQ(block(world, london()),
            forecast + QStringLiteral("\n\n") + kCoverageHeading
                + QStringLiteral("Thames Barrier closed twice this week."));
    }
    // No outlook is asked for outside its area.
    EXPECT_EQ(world.server.count(QStringLiteral("/products/outlook/day1otlk_cat.lyr.geojson")), 0);
}

TEST(ForecastData, TheForecastsFailureFailsTheBlock)
{
    AiWorld world;
    world.setForecast(FakeServer::json("upstream timeout", 504));
    world.server.route(kMessagesPath, textReply(QStringLiteral("Coverage.")));
    try {
        (void)block(world, london());
        ADD_FAILURE() << "no error";
    } catch (const HttpError &e) {
        EXPECT_EQ(e.description(), QStringLiteral("Request failed (504): upstream timeout"));
    }
    // The others had been started and were let finish; coverage waits for the forecast and never ran.
    EXPECT_EQ(world.server.count(QStringLiteral("/alerts/active")), 1);
    EXPECT_EQ(world.server.count(kMessagesPath), 0);
}

TEST(LocalCoverage, TheSearchRequest)
{
    AiWorld world;
    world.server.route(kMessagesPath, textReply(QStringLiteral("Flooding closed the A12.")));
    EXPECT_EQ(await(world.ai.localCoverage(london(), kKey)), QStringLiteral("Flooding closed the A12."));
    const auto requests = world.server.requests(kMessagesPath);
    ASSERT_EQ(requests.size(), 1);
    const QJsonObject body = bodyOf(requests.first());
    EXPECT_EQ(body.value(QLatin1StringView("model")).toString(), QStringLiteral("claude-haiku-4-5"));
    EXPECT_EQ(body.value(QLatin1StringView("max_tokens")).toInt(), 500);
    EXPECT_EQ(body.value(QLatin1StringView("system")).toString(),
        QStringLiteral("You are a research assistant gathering local color for a meteorologist's briefing. Be "
                       "factual and concise; never invent details."));
    EXPECT_EQ(body.value(QLatin1StringView("tools")).toArray().first()[QLatin1StringView("max_uses")].toInt(), 3);
    const QJsonArray messages = body.value(QLatin1StringView("messages")).toArray();
    ASSERT_EQ(messages.size(), 1);
    const QString prompt = messages[0][QLatin1StringView("content")].toString();
    EXPECT_TRUE(prompt.startsWith(QStringLiteral("Search the web for the latest local weather coverage and discussion "
                                                 "for London, England from roughly the last 48 hours: local TV")));
    EXPECT_TRUE(prompt.endsWith(QStringLiteral("no links or source lists. If you find nothing meaningful beyond the "
                                               "ordinary forecast, reply with exactly: NONE")));
}

TEST(LocalCoverage, NothingFound)
{
    struct Case
    {
        const char *reply;
        bool nothing;
    };
    const QList<Case> cases {
        { "NONE", true },
        { "None.", true },
        { "none found", true },
        { "  \nNONE\n", true },
        { "NONE: nothing", true },
        { "none-ish", true },
        { "Nonetheless, the river crested.", false },
        { "Nonexistent snow.", false },
        { "No news.", false },
        { "", false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reply);
        EXPECT_EQ(AiService::meansNothingFound(QString::fromUtf8(c.reply)), c.nothing);
    }

    // Through the search: nothing found is remembered as empty for three hours.
    AiWorld world;
    world.server.routeSequence(kMessagesPath,
        { textReply(QStringLiteral("None.")), textReply(QStringLiteral("Nonetheless, the river crested.")) });
    EXPECT_EQ(await(world.ai.localCoverage(london(), kKey)), std::nullopt);
    world.clock.advance(10799);
    EXPECT_EQ(await(world.ai.localCoverage(london(), kKey)), std::nullopt);
    EXPECT_EQ(world.server.count(kMessagesPath), 1);
    world.clock.advance(1);
    EXPECT_EQ(await(world.ai.localCoverage(london(), kKey)), QStringLiteral("Nonetheless, the river crested."));
    EXPECT_EQ(world.server.count(kMessagesPath), 2);
}

TEST(LocalCoverage, AFailureIsRememberedForThreeHours)
{
    AiWorld world;
    world.server.route(kMessagesPath, errorReply(500, QStringLiteral("boom")));
    const QString forecast = world.forecastText(london());
    EXPECT_EQ(block(world, london()), forecast);
    EXPECT_EQ(coverageSearches(world.server), 1);

    // A briefing within three hours is built without the section and without a new search.
    world.server.routeHandler(kMessagesPath, [](const FakeServer::Request &r) {
        return isCoverageSearch(r) ? textReply(QStringLiteral("Coverage.")) : textReply(QStringLiteral("Briefing."));
    });
    world.clock.advance(3600);
    EXPECT_EQ(await(world.ai.generateBriefing(london(), kKey, true, true, true))->text, QStringLiteral("Briefing."));
    EXPECT_EQ(coverageSearches(world.server), 1);
    const QJsonObject briefingBody = bodyOf(messagesStartingWith(world.server, QStringLiteral("Location:")).first());
    EXPECT_FALSE(briefingBody[QLatin1StringView("messages")][0][QLatin1StringView("content")].toString().contains(
        kCoverageHeading));

    // Places that agree to two decimals share the entry.
    SavedLocation nearby = london();
    nearby.latitude += 0.004;
    EXPECT_EQ(await(world.ai.localCoverage(nearby, kKey)), std::nullopt);
    EXPECT_EQ(coverageSearches(world.server), 1);
    SavedLocation farther = london();
    farther.latitude += 0.01;
    EXPECT_EQ(await(world.ai.localCoverage(farther, kKey)), QStringLiteral("Coverage."));
    EXPECT_EQ(coverageSearches(world.server), 2);
}
