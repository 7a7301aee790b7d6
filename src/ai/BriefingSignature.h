// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/SavedLocation.h"

#include <QString>

// What a briefing was written for: "%.2f|%.2f|%d|%d|%d" of latitude, longitude, then 1 or 0
// for Fahrenheit, mph and local expertise (always with a decimal point, whatever the locale).
[[nodiscard]] QString briefingSignature(const SavedLocation &location, bool fahrenheit, bool mph, bool localExpertise);
