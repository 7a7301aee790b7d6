// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QTimeZone>

namespace text {

// The zone with this IANA id, or the computer's own zone when the id is empty or unknown.
[[nodiscard]] QTimeZone zoneOrSystem(const QString &ianaId);

// Formats an instant with a Unicode date pattern ("EEEE, MMMM d, yyyy", "h:mm a") in a zone.
// The zone's offset at that instant comes from QTimeZone (the system's zone database); ICU only
// formats at that fixed offset, so one database decides. The locale defaults to en_US_POSIX,
// which always writes English names.
[[nodiscard]] QString formatDate(
    const QDateTime &instant, const QString &pattern, const QTimeZone &zone, const char *locale = "en_US_POSIX");

} // namespace text
