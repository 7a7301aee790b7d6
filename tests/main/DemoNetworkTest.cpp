// SPDX-License-Identifier: GPL-3.0-or-later
// The demo's in-process network: recorded replies for the scenario's requests, a 404 with a JSON
// body for anything else, both through the app's own GET routine.
#include "main/DemoNetwork.h"
#include "main/DemoScenario.h"

#include "net/AppError.h"
#include "net/HttpClient.h"

#include "Await.h"

#include <gtest/gtest.h>

TEST(DemoNetworkTest, AnswersTheScenarioAndNothingElse)
{
    const Endpoints endpoints = Endpoints::production();
    const DemoScenario scenario(QStringLiteral(":/demo"), endpoints);
    DemoNetwork network(scenario);
    EXPECT_EQ(scenario.place().displayLabel(), QStringLiteral("Phoenix, Arizona"));

    const QByteArray points = test_support::await(
        net::getData(network, Endpoints::url(endpoints.nws, QStringLiteral("/points/33.4484,-112.0740"))));
    EXPECT_TRUE(points.contains(R"("cwa": "PSR")"));

    try {
        test_support::await(net::getData(network, Endpoints::url(endpoints.nws, QStringLiteral("/points/1,2"))));
        ADD_FAILURE() << "a request outside the scenario was answered";
    } catch (const HttpError &error) {
        EXPECT_EQ(error.description(),
            QStringLiteral(R"(Request failed (404): {"error":true,"reason":"Not part of the demo"})"));
    }
}
