// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The presenter's fixed texts: the two system prompts, the units instruction, the local
// coverage prompts and the headings of the forecast-data sections.
namespace prompts {

[[nodiscard]] const QString &briefingSystemBase();
[[nodiscard]] const QString &askSystemBase();
// "Always express temperatures in Fahrenheit (°F) and wind speeds in mph — ..."
[[nodiscard]] QString unitsInstruction(bool fahrenheit, bool mph);
// The system text of a request: base prompt, one space, units instruction.
[[nodiscard]] QString systemText(const QString &base, bool fahrenheit, bool mph);

[[nodiscard]] QString briefingClosingInstruction();
[[nodiscard]] QString localCoverageSearchPrompt(const QString &displayLabel);
[[nodiscard]] const QString &localCoverageSystemPrompt();
[[nodiscard]] QString localCoverageHeading();

} // namespace prompts
