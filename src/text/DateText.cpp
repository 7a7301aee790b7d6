// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/DateText.h"

#include <memory>

#include <unicode/locid.h>
#include <unicode/simpletz.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

namespace text {

QTimeZone zoneOrSystem(const QString &ianaId)
{
    if (!ianaId.isEmpty()) {
        QTimeZone zone(ianaId.toUtf8());
        if (zone.isValid()) {
            return zone;
        }
    }
    return QTimeZone::systemTimeZone();
}

QString formatDate(const QDateTime &instant, const QString &pattern, const QTimeZone &zone, const char *locale)
{
    if (!instant.isValid()) {
        return {};
    }
    const QTimeZone effective = zone.isValid() ? zone : QTimeZone::systemTimeZone();
    const int offsetSeconds = effective.offsetFromUtc(instant);
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString icuPattern(
        reinterpret_cast<const char16_t *>(pattern.utf16()), static_cast<int32_t>(pattern.size()));
    icu::SimpleDateFormat formatter(icuPattern, icu::Locale(locale), status);
    if (U_FAILURE(status)) {
        return {};
    }
    formatter.adoptTimeZone(new icu::SimpleTimeZone(offsetSeconds * 1000, icu::UnicodeString(u"Fixed")));
    icu::UnicodeString out;
    formatter.format(static_cast<UDate>(instant.toMSecsSinceEpoch()), out);
    return QString(reinterpret_cast<const QChar *>(out.getBuffer()), out.length());
}

} // namespace text
