// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text/PopLab.h"

#include <cmath>

namespace pop_lab {

int chance(double confidence, double coverage)
{
    return static_cast<int>(std::round(confidence * coverage / 100.0)); // halves away from zero
}

QString verdict(double confidence, double coverage)
{
    if (confidence >= 70 && coverage >= 70) {
        return QStringLiteral("Confident, and it's covering everything. This is a day you plan around.");
    }
    if (confidence >= 65 && coverage <= 55) {
        return QStringLiteral("Something will fire — I'm sure of that. But it'll be patchy: a few places get hit "
                              "hard and most stay dry.");
    }
    if (confidence <= 55 && coverage >= 65) {
        return QStringLiteral("Probably nothing at all. But if it does go, it goes everywhere at once.");
    }
    if (confidence < 40 && coverage < 40) {
        return QStringLiteral("Low confidence and patchy coverage. Genuinely quiet, most likely.");
    }
    return QStringLiteral("The classic summer afternoon: real storms, unknown addresses.");
}

} // namespace pop_lab
