// SPDX-License-Identifier: GPL-3.0-or-later
// The forecast-data block the model reads, and the local-coverage search that joins it.
#include "ai/AiService.h"
#include "sources/BriefingSections.h"

#include "AiWorld.h"

#include <QElapsedTimer>

using namespace ai_test;

namespace {

const QString kCoverageHeading = QStringLiteral("Recent local weather coverage (summarized from local TV and news via "
                                                "web search — treat as color, not as forecast data):\n");

QString block(AiWorld &world, const SavedLocation &place, bool localExpertise = true, std::optional<QString> key = kKey)
{
    return await(world.ai.forecastData(place, true, true, key, localExpertise));
}

const SavedLocation kPlains { QStringLiteral("Plains"), QStringLiteral("Nebraska"), std::nullopt, 40, -100,
    QStringLiteral("America/Chicago") };

} // namespace

TEST(ForecastData, EverySectionInItsPlace)
{
    AiWorld world;
    world.clock.set(QDateTime(QDate(2026, 7, 14), QTime(15, 0, 30), Qt::UTC));
    // Rain all through the next hour; 1784041200 is 15:00Z.
    world.setForecast(FakeServer::fromFile(QStringLiteral("forecast_text/minimal_main.json")),
        FakeServer::json(R"({"minutely_15":{"time":[1784041200,1784042100,1784043000,1784043900,1784044800],
            "precipitation":[0.5,0.5,0.5,0.5,0.5],"precipitation_probability":[90,90,90,90,90]}})"));
    FakeServer &server = world.server;
    server.route(QStringLiteral("/alerts/active"), FakeServer::json(R"({"features":[
      {"properties":{"id":"a1","status":"Actual","event":"Air Quality Alert","severity":"Moderate",
                     "description":"Ozone\n  levels are\thigh."}},
      {"properties":{"id":"a2","status":"Actual","event":"Flash Flood Warning","severity":"Severe",
                     "onset":"2026-07-14T09:00:00-06:00","ends":"2026-07-14T12:00:00-06:00",
                     "headline":"Flash Flood Warning until noon","description":"Heavy rain."}}]})"));
    server.route(QStringLiteral("/points/32.4000,-108.6100"), FakeServer::json(R"({"properties":{"cwa":"ABQ"}})"));
    server.route(QStringLiteral("/products/types/AFD/locations/ABQ"),
        FakeServer::fromFile(QStringLiteral("nws_products_types_AFD_locations_GYX_2019.json")));
    server.route(QStringLiteral("/products/2a244c90-fec3-446c-b73b-d333569c0329"),
        FakeServer::fromFile(QStringLiteral("nws_product_AFD_GYX_2019-08-25.json")));
    server.route(QStringLiteral("/products/types/HWO/locations/ABQ"),
        FakeServer::json(R"({"@graph":[{"id":"hwo-1","issuanceTime":"2025-07-25T08:18:00+00:00"}]})"));
    server.route(QStringLiteral("/products/hwo-1"), FakeServer::json(R"({"productText":"Storms possible."})"));
    server.route(QStringLiteral("/products/outlook/day1otlk_cat.lyr.geojson"),
        FakeServer::fromFile(QStringLiteral("spc_day1otlk_cat_20260925_1630_nolyr_TRIMMED_geometry.geojson")));
    server.route(QStringLiteral("/products/outlook/day2otlk_cat.lyr.geojson"), FakeServer::json("{}", 500));
    server.route(QStringLiteral("/products/outlook/day3otlk_cat.lyr.geojson"), FakeServer::json(R"({"features":[]})"));
    server.route(kMessagesPath, textReply(QStringLiteral("KRQE expects 1-2 inches in the bootheel.")));

    // Inside the outlook area of the trimmed day-1 file.
    const SavedLocation place { QStringLiteral("Lordsburg"), QStringLiteral("New Mexico"), std::nullopt, 32.4, -108.61,
        QStringLiteral("America/Denver") };
    const QString data = block(world, place);

    // The nowcast, outlook and discussion come from the services' caches (each is tested with its service).
    const auto nowcast = await(world.nowcast.nowcastText(place.latitude, place.longitude, place.timezone));
    const auto outlook = await(world.spc.convectiveOutlookText(place.latitude, place.longitude));
    const auto afd = await(world.nws.latestProduct(QStringLiteral("AFD"), QStringLiteral("ABQ")));
    ASSERT_TRUE(nowcast && outlook && afd);
    const QString expected =
        QStringList {
            world.forecastText(place),
            kCoverageHeading + QStringLiteral("KRQE expects 1-2 inches in the bootheel."),
            *nowcast,
            // Most severe first; an alert without onset, ends and headline keeps the full stop and two spaces.
            QStringLiteral("Active NWS alerts:\n"
                           "- Flash Flood Warning (severity: Severe), from 2026-07-14T09:00:00-06:00 until "
                           "2026-07-14T12:00:00-06:00. Flash Flood Warning until noon Heavy rain.\n"
                           "- Air Quality Alert (severity: Moderate).  Ozone levels are high."),
            *outlook,
            QStringLiteral("NWS Hazardous Weather Outlook (office ABQ, issued 2025-07-25T08:18:00+00:00) — "
                           "plain-language hazards to watch over the next 7 days:\nStorms possible."),
            briefing_sections::areaForecastDiscussionSection(*afd),
        }
            .join(QStringLiteral("\n\n"));
    EXPECT_EQ(data.toStdString(), expected.toStdString());
}

TEST(ForecastData, OutsideTheUnitedStatesAndFailures)
{
    AiWorld world;
    world.server.route(kMessagesPath, textReply(QStringLiteral("Thames Barrier closed twice this week.")));
    const QString forecast = world.forecastText(london());
    // Without local expertise, or without a key, the forecast text alone.
    EXPECT_EQ(block(world, london(), false), forecast);
    EXPECT_EQ(block(world, london(), true, std::nullopt), forecast);
    EXPECT_EQ(world.server.count(kMessagesPath), 0);
    EXPECT_EQ(block(world, london()),
        forecast + QStringLiteral("\n\n") + kCoverageHeading
            + QStringLiteral("Thames Barrier closed twice this week."));
    EXPECT_EQ(world.server.count(QStringLiteral("/products/outlook/day1otlk_cat.lyr.geojson")), 0);

    SCOPED_TRACE("the forecast's failure fails the block; coverage waits for it and never runs");
    world.server.clearRequests();
    world.setForecast(FakeServer::json("upstream timeout", 504));
    SavedLocation elsewhere = london();
    elsewhere.latitude = 40;
    EXPECT_EQ(
        failureOf([&] { return block(world, elsewhere); }), QStringLiteral("Request failed (504): upstream timeout"));
    EXPECT_EQ(world.server.count(kMessagesPath), 0);
}

TEST(LocalCoverage, TheSearchAndNothingFound)
{
    AiWorld world;
    world.server.routeSequence(kMessagesPath,
        { textReply(QStringLiteral("None.")), textReply(QStringLiteral("Nonetheless, the river crested.")) });
    EXPECT_EQ(await(world.ai.localCoverage(london(), kKey)), std::nullopt);
    const FakeServer::Request request = world.server.requests(kMessagesPath).value(0);
    EXPECT_EQ(bodyOf(request).value(QLatin1StringView("max_tokens")).toInt(), 500);
    EXPECT_TRUE(lastContent(request).startsWith(QStringLiteral("Search the web for the latest local weather coverage "
                                                               "and discussion for London, England")));
    EXPECT_TRUE(lastContent(request).endsWith(QStringLiteral("reply with exactly: NONE")));

    // Nothing found is remembered for three hours, for places that agree to two decimals.
    world.clock.advance(10799);
    SavedLocation nearby = london();
    nearby.latitude += 0.004;
    EXPECT_EQ(await(world.ai.localCoverage(nearby, kKey)), std::nullopt);
    EXPECT_EQ(world.server.count(kMessagesPath), 1);
    world.clock.advance(1);
    EXPECT_EQ(await(world.ai.localCoverage(london(), kKey)), QStringLiteral("Nonetheless, the river crested."));
}

TEST(LocalCoverage, AFailureIsRememberedForThreeHours)
{
    AiWorld world;
    world.server.routeSequence(
        kMessagesPath, { errorReply(500, QStringLiteral("boom")), textReply(QStringLiteral("Coverage.")) });
    const QString forecast = world.forecastText(london());
    EXPECT_EQ(block(world, london()), forecast);
    world.clock.advance(3600);
    EXPECT_EQ(block(world, london()), forecast);
    EXPECT_EQ(world.server.count(kMessagesPath), 1);
    world.clock.advance(7200);
    EXPECT_EQ(await(world.ai.localCoverage(london(), kKey)), QStringLiteral("Coverage."));
}

TEST(ForecastData, AFailedForecastGivesUpTheOtherRequestsAtOnce)
{
    AiWorld world;
    world.setForecast(FakeServer::json("upstream timeout", 504));
    FakeServer::Response stalled = FakeServer::json("{}");
    stalled.misbehavior = FakeServer::Misbehavior::Stall;
    stalled.stallFor = std::chrono::seconds(20);
    const QStringList others { QStringLiteral("/alerts/active"), QStringLiteral("/points/40.0000,-100.0000"),
        QStringLiteral("/products/outlook/day1otlk_cat.lyr.geojson") };
    for (const QString &path : others) {
        world.server.route(path, stalled);
    }
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(failureOf([&] { return block(world, kPlains, false); }),
        QStringLiteral("Request failed (504): upstream timeout"));
    EXPECT_LT(timer.elapsed(), 1000);
    // A cancelled request is no answer: once the services answer, the next block asks again.
    world.setForecast(FakeServer::fromFile(QStringLiteral("forecast_text/minimal_main.json")));
    for (const QString &path : others) {
        world.server.route(path, FakeServer::json("{}", 404));
    }
    // The server may log the given-up look-up only now; it must not count as the next block's.
    (void)test_support::spinUntil(
        [&] { return world.server.count(QStringLiteral("/points/40.0000,-100.0000")) == 1; }, std::chrono::seconds(2));
    world.server.clearRequests();
    EXPECT_EQ(block(world, kPlains, false), world.forecastText(kPlains));
    EXPECT_EQ(world.server.count(QStringLiteral("/points/40.0000,-100.0000")), 1);
}

TEST(ForecastData, AlertsAlreadyFetchedAreNotAskedForAgain)
{
    AiWorld world;
    const NwsAlert alert { QStringLiteral("a1"), QStringLiteral("Wind Advisory"), QStringLiteral("Moderate"), {}, {},
        {}, {}, {}, {}, {} };
    const QString data = await(world.ai.forecastData(kPlains, true, true, kKey, false, QList<NwsAlert> { alert }));
    EXPECT_TRUE(data.contains(QStringLiteral("- Wind Advisory (severity: Moderate)."))) << data.toStdString();
    EXPECT_EQ(world.server.count(QStringLiteral("/alerts/active")), 0);
}
