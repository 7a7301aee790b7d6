// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PositionBackend.h"

#include <QTimer>

#include <chrono>
#include <optional>

// A location service that answers as a test tells it to. Header-only: tests that use it link
// merrin_platform themselves.
class FakePositionBackend final : public PositionBackend
{
public:
    enum class Behavior { AnswerAtOnce, AnswerLater, Deny, Fail, StaySilent };

    Behavior behavior = Behavior::AnswerAtOnce;
    double latitude = 51.5072;
    double longitude = -0.1276;
    std::chrono::milliseconds delay { 20 };
    int requestCount = 0;

    void requestUpdate(std::chrono::milliseconds) override
    {
        ++requestCount;
        switch (behavior) {
        case Behavior::AnswerAtOnce:
            Q_EMIT positionUpdated(latitude, longitude);
            break;
        case Behavior::AnswerLater:
            QTimer::singleShot(delay, this, [this] { Q_EMIT positionUpdated(latitude, longitude); });
            break;
        case Behavior::Deny:
            Q_EMIT failed(true, QStringLiteral("denied"));
            break;
        case Behavior::Fail:
            QTimer::singleShot(delay, this, [this] { Q_EMIT failed(false, QStringLiteral("no fix")); });
            break;
        case Behavior::StaySilent:
            break;
        }
    }
};
