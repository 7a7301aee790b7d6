// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice/SpeechScript.h"

#include "text/NumberText.h"
#include "text/Trim.h"

#include <QHash>
#include <QRegularExpression>

#include <cmath>

namespace voice {
namespace {

// Strict integer parsing: an optional sign, then ASCII digits only, within 64 bits.
std::optional<qint64> strictInteger(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^[+-]?[0-9]+$"));
    if (!shape.match(text).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// A whole number spelled as an integer, a decimal one ("12.5") as its decimal value.
std::optional<QString> spellNumber(const QString &text)
{
    if (text.contains(QLatin1Char('.'))) {
        static const QRegularExpression shape(QStringLiteral("^-?[0-9]+\\.[0-9]+$"));
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (!shape.match(text).hasMatch() || !ok || !std::isfinite(value)) {
            return std::nullopt;
        }
        return text::spellOutDecimal(value);
    }
    const auto value = strictInteger(text);
    return value ? std::optional(text::spellOut(*value)) : std::nullopt;
}

// spell(group 1) + suffix.
MatchTransform spelledWith(const QString &suffix)
{
    return [suffix](const QStringList &captures) -> std::optional<QString> {
        const auto words = spellNumber(captures.value(1));
        return words ? std::optional(*words + suffix) : std::nullopt;
    };
}

std::optional<QString> decade(const QStringList &captures)
{
    static const QHash<qint64, QString> words { { 10, QStringLiteral("teens") }, { 20, QStringLiteral("twenties") },
        { 30, QStringLiteral("thirties") }, { 40, QStringLiteral("forties") }, { 50, QStringLiteral("fifties") },
        { 60, QStringLiteral("sixties") }, { 70, QStringLiteral("seventies") }, { 80, QStringLiteral("eighties") },
        { 90, QStringLiteral("nineties") }, { 100, QStringLiteral("hundreds") } };
    const auto value = strictInteger(captures.value(1));
    if (!value || !words.contains(*value)) {
        return std::nullopt;
    }
    return words.value(*value);
}

// "1.5 in" reads "one and a half inches", "0.5 in" "half an inch", "0.3 in" stays as written.
std::optional<QString> amount(const QStringList &captures)
{
    bool ok = false;
    const double value = captures.value(1).toDouble(&ok);
    // An amount past 64-bit whole numbers has no words: it stays as written.
    if (!ok || !std::isfinite(value) || std::abs(value) >= 9.0e18) {
        return std::nullopt;
    }
    const QString unit = captures.value(2);
    const bool isInch = unit.startsWith(QLatin1Char('i'));
    const QString singular = isInch       ? QStringLiteral("inch")
        : unit == QLatin1StringView("mm") ? QStringLiteral("millimeter")
                                          : QStringLiteral("centimeter");
    const QString plural = isInch ? QStringLiteral("inches") : singular + QLatin1Char('s');
    const QString unitWord = value == 1.0 ? singular : plural;

    const double whole = std::trunc(value);
    const double fraction = value - whole;
    const auto hundredths = static_cast<qint64>(std::round(fraction * 100));
    QString fractionWords;
    if (hundredths == 25) {
        fractionWords = QStringLiteral("a quarter");
    } else if (hundredths == 50) {
        fractionWords = QStringLiteral("a half");
    } else if (hundredths == 75) {
        fractionWords = QStringLiteral("three quarters");
    } else if (fraction != 0.0) {
        return std::nullopt;
    } else {
        return text::spellOut(static_cast<qint64>(whole)) + QLatin1Char(' ') + unitWord;
    }
    if (whole != 0.0) {
        return text::spellOut(static_cast<qint64>(whole)) + QStringLiteral(" and ") + fractionWords + QLatin1Char(' ')
            + unitWord;
    }
    // Below one: "half an inch", "a quarter of an inch"; "half a millimeter".
    const QString article = isInch ? QStringLiteral("an ") : QStringLiteral("a ");
    if (hundredths == 50) {
        return QStringLiteral("half ") + article + singular;
    }
    return fractionWords + QStringLiteral(" of ") + article + singular;
}

QString clockMarker(const QString &letter)
{
    return letter.toLower() == QLatin1StringView("a") ? QStringLiteral("a.m.") : QStringLiteral("p.m.");
}

std::optional<QString> clockTime(const QStringList &captures)
{
    const auto hour = strictInteger(captures.value(1));
    const auto minute = strictInteger(captures.value(2));
    if (!hour || !minute) {
        return std::nullopt;
    }
    QString words = text::spellOut(*hour) + QLatin1Char(' ');
    if (*minute >= 1 && *minute <= 9) {
        words += QStringLiteral("oh ") + text::spellOut(*minute) + QLatin1Char(' ');
    } else if (*minute >= 10) {
        words += text::spellOut(*minute) + QLatin1Char(' ');
    }
    return words + clockMarker(captures.value(3));
}

std::optional<QString> clockHour(const QStringList &captures)
{
    const auto hour = strictInteger(captures.value(1));
    if (!hour || *hour < 1 || *hour > 12) {
        return std::nullopt;
    }
    return text::spellOut(*hour) + QLatin1Char(' ') + clockMarker(captures.value(2));
}

// Where a number read with its unit may start: not inside another number ("12.5%" is read whole,
// never from its "5"), and a hyphen right after a digit is a range dash ("60-72°F"), not a minus.
constexpr auto kNumberStart = "(?<![\\d.])";

} // namespace

QString replaceMatches(
    const QString &pattern, const QString &text, bool caseInsensitive, const MatchTransform &transform)
{
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (caseInsensitive) {
        options |= QRegularExpression::CaseInsensitiveOption;
    }
    const QRegularExpression expression(pattern, options);
    if (!expression.isValid()) {
        return text;
    }
    QString out;
    qsizetype cursor = 0;
    for (auto it = expression.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QStringList captures;
        for (int i = 0; i <= expression.captureCount(); ++i) {
            captures.append(match.captured(i));
        }
        if (const auto replacement = transform(captures)) {
            out += QStringView(text).sliced(cursor, match.capturedStart() - cursor);
            out += *replacement;
            cursor = match.capturedEnd();
        }
    }
    out += QStringView(text).sliced(cursor);
    return out;
}

QString normalizeForSpeech(const QString &input)
{
    QString text = input;
    text.remove(QStringLiteral("**"));
    text.remove(QLatin1Char('*'));
    text.replace(QChar(0x2019), QLatin1Char('\''));
    text.remove(QChar(0x201C));
    text.remove(QChar(0x201D));

    const QString start = QLatin1StringView(kNumberStart);
    const QString number = QStringLiteral("(\\d+(?:\\.\\d+)?)");
    text = replaceMatches(QStringLiteral("\\b(\\d{2,3})s\\b"), text, false, decade);
    text = replaceMatches(start + QStringLiteral("(-?\\d+(?:\\.\\d+)?)\\s*°(?:\\s*[FC]\\b)?"), text, false,
        spelledWith(QStringLiteral(" degrees")));
    text =
        replaceMatches(start + number + QStringLiteral("\\s*%"), text, false, spelledWith(QStringLiteral(" percent")));
    text = replaceMatches(start + number + QStringLiteral("\\s*(?:mph|mi/h)\\b"), text, false,
        spelledWith(QStringLiteral(" miles an hour")));
    text = replaceMatches(
        start + number + QStringLiteral("\\s*km/h"), text, false, spelledWith(QStringLiteral(" kilometers an hour")));
    // "in" is the unit unless words follow that make it the preposition ("2 in the afternoon",
    // "3 in Boston").
    text = replaceMatches(
        start + number + QStringLiteral("\\s*(inches|inch|mm|cm|in(?!\\s+(?:(?:the|a|an)\\b|\\p{Lu})))\\b"), text,
        false, amount);
    text = replaceMatches(QStringLiteral("(\\d+)\\s*[–—-]\\s*(\\d+)"), text, false,
        [](const QStringList &captures) -> std::optional<QString> {
            return captures.value(1) + QStringLiteral(" to ") + captures.value(2);
        });
    text = replaceMatches(QStringLiteral("(\\d{1,2}):(\\d{2})\\s*([ap])\\.?m\\.?"), text, true, clockTime);
    text = replaceMatches(QStringLiteral("(\\d{1,2})\\s*([ap])\\.?m\\.?"), text, true, clockHour);
    text = replaceMatches(
        QStringLiteral("(?<![\\d.:])(\\d{1,2})(?![\\d:°%])(?!\\.\\d)\\b"), text, false, spelledWith(QString()));
    text = replaceMatches(QStringLiteral("\\s+"), text, false,
        [](const QStringList &) -> std::optional<QString> { return QStringLiteral(" "); });
    return text::trimmedWhitespaceAndNewlines(text);
}

QString buildScript(const QString &text, const QString &place, const QString &weekday, int hour, bool outro)
{
    const QString greeting = hour < 12 ? QStringLiteral("Good morning")
        : hour <= 17                   ? QStringLiteral("Good afternoon")
                                       : QStringLiteral("Good evening");
    QStringList pieces { greeting + QStringLiteral(", I'm Merrin Vale. Here's your ") + weekday
            + QStringLiteral(" forecast for ") + place + QLatin1Char('.'),
        normalizeForSpeech(text) };
    if (outro) {
        pieces.append(QStringLiteral("That's the latest — take care."));
    }
    QStringList kept;
    for (const QString &piece : std::as_const(pieces)) {
        const QString trimmed = text::trimmedWhitespaceAndNewlines(piece);
        if (!trimmed.isEmpty()) {
            kept.append(trimmed);
        }
    }
    return kept.join(QLatin1Char(' '));
}

} // namespace voice
