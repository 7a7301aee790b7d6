// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// What the presenter wrote for one refresh: the prose, its one-line headline and the question
// offered under it.
struct BriefingResult
{
    QString text;
    std::optional<QString> suggestedQuestion;
    std::optional<QString> headline;

    bool operator==(const BriefingResult &) const = default;
};
