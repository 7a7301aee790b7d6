// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/NwsBulletins.h"

#include "text/Graphemes.h"
#include "text/Trim.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace nws {
namespace {

// Sections of a discussion that say nothing about the weather at the place.
constexpr std::array<QLatin1StringView, 6> kDroppedSections {
    QLatin1StringView(".AVIATION"),
    QLatin1StringView(".MARINE"),
    QLatin1StringView(".PRELIMINARY POINT TEMPS"),
    QLatin1StringView(".CLIMATE"),
    QLatin1StringView(".EQUIPMENT"),
    QLatin1StringView(".SPACE WEATHER"),
};

bool isDroppedSection(const QString &section)
{
    const QStringList lines = section.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString trimmed = text::trimmedSpacesAndTabs(line);
        if (!trimmed.startsWith(QLatin1Char('.'))) {
            continue;
        }
        // Only the first header line names the section.
        const QString header = trimmed.toUpper();
        return std::ranges::any_of(
            kDroppedSections, [&header](QLatin1StringView name) { return header.startsWith(name); });
    }
    return false;
}

QString capped(const QString &s, qsizetype limit, QLatin1StringView marker)
{
    if (text::graphemeCount(s) <= limit) {
        return s;
    }
    return text::graphemePrefix(s, limit) + marker;
}

} // namespace

QString trimDiscussion(const QString &text, qsizetype limit)
{
    const QString separator = QStringLiteral("\n&&\n");
    QStringList kept;
    const QStringList sections = text.split(separator);
    for (const QString &section : sections) {
        if (!isDroppedSection(section)) {
            kept.append(section);
        }
    }
    QString reduced = text::trimmedWhitespaceAndNewlines(kept.join(separator));
    const qsizetype end = reduced.indexOf(QLatin1StringView("\n$$"));
    if (end >= 0) {
        reduced.truncate(end);
    }
    return capped(reduced, limit, QLatin1StringView("\n[discussion truncated]"));
}

QString trimOutlook(const QString &text, qsizetype limit)
{
    QStringList kept;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (text::trimmedSpacesAndTabs(line) != QLatin1StringView("$$")) {
            kept.append(line);
        }
    }
    const QString reduced = text::trimmedWhitespaceAndNewlines(kept.join(QLatin1Char('\n')));
    return capped(reduced, limit, QLatin1StringView("\n[outlook truncated]"));
}

} // namespace nws
