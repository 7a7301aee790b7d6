// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PositionSource.h"

#include "Await.h"
#include "FakePositionBackend.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace std::chrono_literals;
using test_support::await;

namespace {

struct Source
{
    Source()
    {
        auto owned = std::make_unique<FakePositionBackend>();
        backend = owned.get();
        source = std::make_unique<PositionSource>(std::move(owned));
    }
    FakePositionBackend *backend = nullptr;
    std::unique_ptr<PositionSource> source;
};

PositionError::Code failureCode(PositionSource &source, std::chrono::milliseconds timeout = 2s)
{
    try {
        await(source.requestPosition(timeout));
    } catch (const PositionError &e) {
        return e.code();
    }
    ADD_FAILURE() << "the request did not fail";
    return PositionError::Code::Failed;
}

} // namespace

TEST(PositionSourceTest, AnswersWithThePositionAndRemembersTheSuccess)
{
    for (auto behavior : { FakePositionBackend::Behavior::AnswerAtOnce, FakePositionBackend::Behavior::AnswerLater }) {
        SCOPED_TRACE(static_cast<int>(behavior));
        Source s;
        s.backend->behavior = behavior;
        EXPECT_TRUE(s.source->isAuthorized());
        EXPECT_FALSE(s.source->lastRequestSucceeded());
        const Coordinates position = await(s.source->requestPosition(2s));
        EXPECT_EQ(position, (Coordinates { 51.5072, -0.1276 }));
        EXPECT_TRUE(s.source->lastRequestSucceeded());
        EXPECT_EQ(s.backend->requestCount, 1);
    }
}

TEST(PositionSourceTest, NoServiceOrDenialMeansNotAuthorized)
{
    PositionSource none(nullptr);
    EXPECT_FALSE(none.isAuthorized());
    EXPECT_EQ(failureCode(none), PositionError::Code::Denied);

    Source s;
    s.backend->behavior = FakePositionBackend::Behavior::Deny;
    EXPECT_EQ(failureCode(*s.source), PositionError::Code::Denied);
    EXPECT_FALSE(s.source->isAuthorized());
    // Once refused, the service is not asked again in this run.
    EXPECT_EQ(failureCode(*s.source), PositionError::Code::Denied);
    EXPECT_EQ(s.backend->requestCount, 1);
    EXPECT_FALSE(s.source->lastRequestSucceeded());
}

TEST(PositionSourceTest, AnErrorFailsTheRequestButKeepsAuthorization)
{
    Source s;
    s.backend->behavior = FakePositionBackend::Behavior::Fail;
    EXPECT_EQ(failureCode(*s.source), PositionError::Code::Failed);
    EXPECT_TRUE(s.source->isAuthorized());
}

TEST(PositionSourceTest, TimeoutFailsAtOnceAndTheLateAnswerIsDropped)
{
    Source s;
    s.backend->behavior = FakePositionBackend::Behavior::AnswerAtOnce;
    ASSERT_NO_THROW(await(s.source->requestPosition(2s)));
    ASSERT_TRUE(s.source->lastRequestSucceeded());

    s.backend->behavior = FakePositionBackend::Behavior::StaySilent;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(failureCode(*s.source, 100ms), PositionError::Code::LocationUnknown);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_FALSE(s.source->lastRequestSucceeded());

    // The service answers long after: nobody is resumed, nothing changes.
    Q_EMIT s.backend->positionUpdated(10, 20);
    Q_EMIT s.backend->failed(false, QStringLiteral("late"));
    test_support::spin(20ms);
    EXPECT_FALSE(s.source->lastRequestSucceeded());
    EXPECT_TRUE(s.source->isAuthorized());

    // The next request asks afresh and gets the new answer.
    s.backend->behavior = FakePositionBackend::Behavior::AnswerLater;
    s.backend->latitude = 1.5;
    EXPECT_EQ(await(s.source->requestPosition(2s)).latitude, 1.5);
    EXPECT_EQ(s.backend->requestCount, 3);
}

TEST(PositionSourceTest, RepeatedAnswersResumeTheRequestOnce)
{
    Source s;
    s.backend->behavior = FakePositionBackend::Behavior::StaySilent;
    auto first = s.source->requestPosition(2s);
    auto second = s.source->requestPosition(2s); // shares the pending request
    Q_EMIT s.backend->positionUpdated(3, 4);
    Q_EMIT s.backend->positionUpdated(5, 6);
    Q_EMIT s.backend->failed(false, QStringLiteral("after the fact"));
    EXPECT_EQ(await(std::move(first)), (Coordinates { 3, 4 }));
    EXPECT_EQ(await(std::move(second)), (Coordinates { 3, 4 }));
    EXPECT_EQ(s.backend->requestCount, 1);
    EXPECT_TRUE(s.source->lastRequestSucceeded());
}

TEST(PositionSourceTest, TheSystemServiceAnswersOrFailsWithinTheTimeout)
{
    // Whatever this machine has (GeoClue, no GeoClue, no D-Bus at all), a request ends in
    // time with a position or a PositionError.
    const auto source = PositionSource::createDefault(QStringLiteral("org.merrinvale.MerrinValeTests"));
    const auto started = std::chrono::steady_clock::now();
    try {
        const Coordinates position = await(source->requestPosition(1s), 5s);
        EXPECT_LE(std::abs(position.latitude), 90.0);
        EXPECT_TRUE(source->lastRequestSucceeded());
    } catch (const PositionError &e) {
        EXPECT_FALSE(source->lastRequestSucceeded()) << e.what();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
}
