// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PositionSource.h"

#include "Await.h"
#include "FakePositionBackend.h"

#include <QTimer>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using test_support::await;
using Behavior = FakePositionBackend::Behavior;

namespace {

// What a request ends in: "position" or the failure's code.
std::string outcomeOf(PositionSource &source, std::chrono::milliseconds timeout = 2s)
{
    try {
        (void)await(source.requestPosition(timeout));
        return "position";
    } catch (const PositionError &e) {
        return e.code() == PositionError::Code::Denied ? "denied"
            : e.code() == PositionError::Code::Failed  ? "failed"
                                                       : "unknown";
    }
}

} // namespace

TEST(PositionSource, AnswersFailuresTimeoutsAndDenial)
{
    auto owned = std::make_unique<FakePositionBackend>();
    FakePositionBackend *backend = owned.get();
    PositionSource source(std::move(owned));
    backend->behavior = Behavior::AnswerLater;
    EXPECT_EQ(await(source.requestPosition(2s)), (Coordinates { 51.5072, -0.1276 }));
    backend->behavior = Behavior::Fail;
    EXPECT_EQ(outcomeOf(source), "failed");
    EXPECT_TRUE(source.isAuthorized());

    SCOPED_TRACE("answered once; after the timeout a late answer is dropped");
    backend->behavior = Behavior::StaySilent;
    auto first = source.requestPosition(2s);
    auto second = source.requestPosition(2s); // shares the pending request
    Q_EMIT backend->positionUpdated(3, 4);
    Q_EMIT backend->positionUpdated(5, 6);
    EXPECT_EQ(await(std::move(first)), (Coordinates { 3, 4 }));
    EXPECT_EQ(await(std::move(second)), (Coordinates { 3, 4 }));
    EXPECT_EQ(outcomeOf(source, 100ms), "unknown");
    Q_EMIT backend->positionUpdated(10, 20);
    test_support::spin(20ms);
    EXPECT_TRUE(source.isAuthorized()) << "a timeout is no refusal";
    EXPECT_EQ(backend->requestCount, 4);

    SCOPED_TRACE("an answer in the same turn as the timeout resumes the request once");
    auto racing = source.requestPosition(1ms);
    QTimer::singleShot(1, backend, [backend] { Q_EMIT backend->positionUpdated(7, 8); });
    test_support::spin(30ms);
    const std::string raced = [&]() -> std::string {
        try {
            return await(std::move(racing)) == Coordinates { 7, 8 } ? "position" : "other";
        } catch (const PositionError &) {
            return "unknown";
        }
    }();
    EXPECT_TRUE(raced == "position" || raced == "unknown") << raced;
    EXPECT_EQ(backend->requestCount, 5);

    SCOPED_TRACE("once refused, not asked again in this run");
    backend->behavior = Behavior::Deny;
    EXPECT_EQ(outcomeOf(source), "denied");
    EXPECT_EQ(outcomeOf(source), "denied");
    EXPECT_FALSE(source.isAuthorized());
    EXPECT_EQ(backend->requestCount, 6);
    PositionSource none(nullptr);
    EXPECT_EQ(outcomeOf(none), "denied");
}

TEST(PositionSource, TheSystemServiceAnswersOrFailsWithinTheTimeout)
{
    // Whatever this machine has (GeoClue, no GeoClue, no D-Bus at all), a request ends in time.
    const auto source = PositionSource::createDefault(QStringLiteral("org.merrinvale.MerrinValeTests"));
    const auto started = std::chrono::steady_clock::now();
    const std::string outcome = outcomeOf(*source, 1s); // a request that never ends throws AwaitTimeout
    EXPECT_FALSE(outcome.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
}
