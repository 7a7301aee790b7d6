// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/DateText.h"

#include <gtest/gtest.h>

using namespace text;

namespace {
QDateTime utc(const char *iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
}
} // namespace

TEST(DateText, FormatsPatternsInTheGivenZone)
{
    const QDateTime instant = utc("2026-07-14T19:05:00Z");
    const QTimeZone chicago("America/Chicago");
    ASSERT_TRUE(chicago.isValid());
    EXPECT_EQ(
        formatDate(instant, QStringLiteral("EEEE, MMMM d, yyyy"), chicago), QStringLiteral("Tuesday, July 14, 2026"));
    EXPECT_EQ(formatDate(instant, QStringLiteral("h:mm a"), chicago), QStringLiteral("2:05 PM"));
    EXPECT_EQ(formatDate(instant, QStringLiteral("HH:mm"), QTimeZone("Asia/Kolkata")), QStringLiteral("00:35"));
    EXPECT_EQ(formatDate(instant, QStringLiteral("EEE d"), QTimeZone("Pacific/Kiritimati")), QStringLiteral("Wed 15"));
    // Daylight saving from the system's zone database; no instant, no text.
    EXPECT_EQ(formatDate(utc("2026-01-15T17:00:00Z"), QStringLiteral("h a"), chicago), QStringLiteral("11 AM"));
    EXPECT_EQ(formatDate(QDateTime(), QStringLiteral("h:mm a"), QTimeZone::utc()), QString());
}

TEST(DateText, UnknownZoneFallsBackToTheSystemZone)
{
    EXPECT_EQ(zoneOrSystem(QStringLiteral("Mars/Olympus_Mons")), QTimeZone::systemTimeZone());
    EXPECT_EQ(zoneOrSystem(QString()), QTimeZone::systemTimeZone());
    EXPECT_EQ(zoneOrSystem(QStringLiteral("Europe/Berlin")).id(), QByteArray("Europe/Berlin"));
}
