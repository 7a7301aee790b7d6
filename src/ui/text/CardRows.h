// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "weather/Forecast.h"
#include "weather/NextHourNowcast.h"
#include "weather/NwsAlert.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

// The rows the forecast cards lay out, every text already formatted. QML reads them as values.

// One of the hero card's four stats: a symbol, a caption and a value.
struct StatCell
{
    Q_GADGET
    QML_VALUE_TYPE(statCell)
    Q_PROPERTY(QString symbol MEMBER symbol)
    Q_PROPERTY(QString caption MEMBER caption)
    Q_PROPERTY(QString value MEMBER value)
public:
    QString symbol;
    QString caption;
    QString value;
};

// One hour of the hourly strip.
struct HourCell
{
    Q_GADGET
    QML_VALUE_TYPE(hourCell)
    Q_PROPERTY(QString hour MEMBER hour)
    Q_PROPERTY(int code MEMBER code)
    Q_PROPERTY(bool isDay MEMBER isDay)
    Q_PROPERTY(QString temperature MEMBER temperature)
    Q_PROPERTY(QString chance MEMBER chance)
public:
    QString hour; // "3P"
    int code = 0;
    bool isDay = true;
    QString temperature; // "72°"
    QString chance; // "40%" or " "
};

// One day of the seven-day outlook.
struct DayRow
{
    Q_GADGET
    QML_VALUE_TYPE(dayRow)
    Q_PROPERTY(QString day MEMBER day)
    Q_PROPERTY(int code MEMBER code)
    Q_PROPERTY(QString chance MEMBER chance)
    Q_PROPERTY(QString low MEMBER low)
    Q_PROPERTY(QString high MEMBER high)
    Q_PROPERTY(double rangeStart MEMBER rangeStart)
    Q_PROPERTY(double rangeEnd MEMBER rangeEnd)
public:
    QString day; // "TODAY", "MON"
    int code = 0;
    QString chance; // "40%" or " "
    QString low;
    QString high;
    // Where the day's low and high sit between the week's lowest low (0) and highest high (1).
    double rangeStart = 0;
    double rangeEnd = 1;
};

// One active alert as its banner shows it.
struct AlertRow
{
    Q_GADGET
    QML_VALUE_TYPE(alertRow)
    Q_PROPERTY(QString id MEMBER id)
    Q_PROPERTY(QString event MEMBER event)
    Q_PROPERTY(bool strong MEMBER strong)
    Q_PROPERTY(QString headline MEMBER headline)
    Q_PROPERTY(QString description MEMBER description)
    Q_PROPERTY(QString instruction MEMBER instruction)
    Q_PROPERTY(QString onset MEMBER onset)
    Q_PROPERTY(QString ends MEMBER ends)
public:
    QString id;
    QString event;
    bool strong = false; // "Extreme" or "Severe"
    QString headline; // empty when the alert has none
    QString description;
    QString instruction; // empty when the alert has none
    QString onset; // "Fri 10:00 AM", empty when unknown
    QString ends;
};

// One minute of the nowcast strip: how tall its bar stands (0 to 1, from the intensity) and how
// strongly it is drawn (0 to 1, from the chance).
struct MinuteBar
{
    Q_GADGET
    QML_VALUE_TYPE(minuteBar)
    Q_PROPERTY(double level MEMBER level)
    Q_PROPERTY(double strength MEMBER strength)
public:
    double level = 0;
    double strength = 0;
};

// A credit line of the attribution footer: its text, where it leads and its accessible name.
struct Credit
{
    Q_GADGET
    QML_VALUE_TYPE(credit)
    Q_PROPERTY(QString text MEMBER text)
    Q_PROPERTY(QString url MEMBER url)
    Q_PROPERTY(QString accessibleName MEMBER accessibleName)
    Q_PROPERTY(QString licence MEMBER licence)
public:
    QString text;
    QString url;
    QString accessibleName;
    QString licence; // "CC BY 4.0" for data under that licence, empty for public-domain data
};

namespace card_rows {

// Dew point, wind, humidity and UV index of the current conditions.
[[nodiscard]] QList<StatCell> heroStats(const Forecast &forecast);
[[nodiscard]] QList<HourCell> hourCells(const Forecast &forecast);
[[nodiscard]] QList<DayRow> dayRows(const Forecast &forecast);
[[nodiscard]] AlertRow alertRow(const NwsAlert &alert, const QString &timezone);
// One bar per minute of the nowcast, oldest first.
[[nodiscard]] QList<MinuteBar> minuteBars(const NextHourNowcast &nowcast);

// What the footer credits: Open-Meteo always; the National Weather Service while its alerts are
// shown or the AI briefing (which reads its bulletins) is shown for a place in the United
// States, and the Storm Prediction Center, whose outlooks that briefing reads, in the latter case.
struct CreditInputs
{
    bool alertsShown = false;
    bool aiBriefingShown = false;
    std::optional<QString> country;
};
[[nodiscard]] QList<Credit> credits(const CreditInputs &inputs);

// The Open-Meteo credit beside the nowcast.
[[nodiscard]] Credit openMeteoMark();

} // namespace card_rows
