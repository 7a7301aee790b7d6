// SPDX-License-Identifier: GPL-3.0-or-later
#include "sources/BriefingSections.h"

#include "sources/SpcService.h"
#include "text/Graphemes.h"
#include "text/Trim.h"

#include <QStringList>

namespace briefing_sections {
namespace {

constexpr qsizetype kDescriptionLimit = 600;

} // namespace

QString alertLine(const NwsAlert &alert)
{
    const QString description = text::graphemePrefix(text::collapsedWhitespace(alert.description), kDescriptionLimit);
    QString line =
        QStringLiteral("- ") + alert.event + QStringLiteral(" (severity: ") + alert.severity + QLatin1Char(')');
    if (alert.onset) {
        line += QStringLiteral(", from ") + *alert.onset;
    }
    if (alert.ends) {
        line += QStringLiteral(" until ") + *alert.ends;
    }
    line += QStringLiteral(". ") + alert.headline.value_or(QString()) + QLatin1Char(' ') + description;
    return text::trimmedSpacesAndTabs(line);
}

QString alertsSection(const QList<NwsAlert> &alerts)
{
    QStringList lines { QStringLiteral("Active NWS alerts:") };
    for (const NwsAlert &alert : alerts) {
        lines.append(alertLine(alert));
    }
    return lines.join(QLatin1Char('\n'));
}

QString outlookSection(const QList<SpcOutlookDay> &days)
{
    return SpcService::modelText(days);
}

QString hazardousWeatherOutlookSection(const NwsTextProduct &product)
{
    return QStringLiteral("NWS Hazardous Weather Outlook (office ") + product.office + QStringLiteral(", issued ")
        + product.issuedAt + QStringLiteral(") — plain-language hazards to watch over the next 7 days:\n")
        + product.text;
}

QString areaForecastDiscussionSection(const NwsTextProduct &product)
{
    return QStringLiteral("NWS Area Forecast Discussion (office ") + product.office + QStringLiteral(", issued ")
        + product.issuedAt + QStringLiteral(") — the local forecasters' own reasoning about this forecast:\n")
        + product.text;
}

} // namespace briefing_sections
