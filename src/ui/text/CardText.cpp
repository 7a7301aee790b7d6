// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/text/CardText.h"

#include "text/DateText.h"
#include "ui/text/HomeText.h"
#include "weather/WeatherCodes.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace card_text {

QString wholeNumber(double value)
{
    const double rounded = std::round(value); // halves away from zero
    return QString::number(rounded == 0.0 ? 0 : static_cast<qint64>(rounded));
}

QString chance(double percent)
{
    if (!(percent > 10)) {
        return QStringLiteral(" ");
    }
    return QString::number(static_cast<qint64>(std::trunc(percent))) + QLatin1Char('%');
}

QString dewPoint(double value, const QString &temperatureUnit)
{
    const bool fahrenheit = temperatureUnit.contains(QLatin1Char('F'));
    return home_text::temperature(value) + QStringLiteral(" · ") + weather_codes::comfortWord(fahrenheit, value);
}

QString wind(double speed, const QString &unit, double direction)
{
    return wholeNumber(speed) + QLatin1Char(' ') + unit + QLatin1Char(' ') + weather_codes::compassPoint(direction);
}

QString humidity(double percent)
{
    return wholeNumber(percent) + QLatin1Char('%');
}

QString uvIndex(double index)
{
    return wholeNumber(index);
}

QString alertTime(const std::optional<QString> &iso, const QString &timezone)
{
    if (!iso) {
        return {};
    }
    const QDateTime instant = QDateTime::fromString(iso->trimmed(), Qt::ISODateWithMs);
    if (!instant.isValid()) {
        return {};
    }
    return text::formatDate(instant, QStringLiteral("EEE h:mm a"), text::zoneOrSystem(timezone));
}

QString unwrapped(const QString &issued)
{
    static const QRegularExpression paragraphBreak(QStringLiteral("\\n[ \\t]*\\n\\s*"));
    static const QRegularExpression lineBreak(QStringLiteral("[ \\t]*\\n[ \\t]*"));
    QStringList paragraphs = issued.trimmed().split(paragraphBreak);
    for (QString &paragraph : paragraphs) {
        paragraph.replace(lineBreak, QStringLiteral(" "));
    }
    return paragraphs.join(QStringLiteral("\n\n"));
}

bool strongAlert(const QString &severity)
{
    return severity == QLatin1StringView("Extreme") || severity == QLatin1StringView("Severe");
}

QString alertCaption()
{
    return QStringLiteral("NWS ALERT");
}

QString outlookTitle()
{
    return QStringLiteral("7 DAY FORECAST");
}

QString onsetCaption()
{
    return QStringLiteral("BEGINS");
}

QString endsCaption()
{
    return QStringLiteral("ENDS");
}

QString nowcastStartLabel()
{
    return QStringLiteral("NOW");
}

QString nowcastEndLabel()
{
    return QStringLiteral("+60 MIN");
}

} // namespace card_text
