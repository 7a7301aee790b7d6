// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/NwsAlert.h"
#include "weather/NwsTextProduct.h"
#include "weather/SpcOutlookDay.h"

#include <QList>
#include <QString>

// The forecaster sources as sections of the forecast data the language model reads. Pure
// functions; the briefing builder places them in its fixed order.
namespace briefing_sections {

// "Active NWS alerts:" and one line per alert, in list order:
// "- EVENT (severity: SEVERITY)[, from ONSET][ until ENDS]. [HEADLINE] DESCRIPTION", the
// description's white-space runs collapsed to one space and cut to 600 characters. Callers add
// the section only when the list is not empty.
[[nodiscard]] QString alertsSection(const QList<NwsAlert> &alerts);

// One alert's line of the alerts section.
[[nodiscard]] QString alertLine(const NwsAlert &alert);

// The convective outlook, three day lines after the heading (SpcService::modelText).
[[nodiscard]] QString outlookSection(const QList<SpcOutlookDay> &days);

// "NWS Hazardous Weather Outlook (office OFFICE, issued ISSUED) — plain-language hazards to watch
// over the next 7 days:\n" + the reduced bulletin.
[[nodiscard]] QString hazardousWeatherOutlookSection(const NwsTextProduct &product);

// "NWS Area Forecast Discussion (office OFFICE, issued ISSUED) — the local forecasters' own
// reasoning about this forecast:\n" + the reduced bulletin.
[[nodiscard]] QString areaForecastDiscussionSection(const NwsTextProduct &product);

} // namespace briefing_sections
