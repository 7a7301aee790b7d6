// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/BriefingSignature.h"

#include "text/NumberText.h"

QString briefingSignature(const SavedLocation &location, bool fahrenheit, bool mph, bool localExpertise)
{
    return text::cformat("%.2f|%.2f|%d|%d|%d", location.latitude, location.longitude, fahrenheit ? 1 : 0, mph ? 1 : 0,
        localExpertise ? 1 : 0);
}
