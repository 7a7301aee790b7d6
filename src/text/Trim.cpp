// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Trim.h"

#include <QChar>

namespace text {
namespace {

bool isLineBreak(char32_t c)
{
    return c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x85 || c == 0x2028 || c == 0x2029;
}

template <typename Pred>
QString trimmedBy(const QString &s, Pred blank)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    // All blank characters the trims know are in the Basic Multilingual Plane, so surrogate
    // halves are never blank and the code units can be inspected one by one.
    while (begin < end && blank(s.at(begin).unicode())) {
        ++begin;
    }
    while (end > begin && blank(s.at(end - 1).unicode())) {
        --end;
    }
    if (begin == 0 && end == s.size()) {
        return s;
    }
    return s.mid(begin, end - begin);
}

} // namespace

bool isWhitespace(char32_t c)
{
    return c == U'\t' || QChar::category(c) == QChar::Separator_Space;
}

bool isWhitespaceOrNewline(char32_t c)
{
    return isWhitespace(c) || isLineBreak(c);
}

QString trimmedWhitespaceAndNewlines(const QString &s)
{
    return trimmedBy(s, [](char32_t c) { return isWhitespaceOrNewline(c); });
}

QString trimmedWhitespace(const QString &s)
{
    return trimmedBy(s, [](char32_t c) { return isWhitespace(c); });
}

QString trimmedSpacesAndTabs(const QString &s)
{
    return trimmedBy(s, [](char32_t c) { return c == U' ' || c == U'\t'; });
}

static QString collapsed(const QString &s, bool dropControls);

QString collapsedWhitespace(const QString &s)
{
    return collapsed(s, false);
}

QString singleLine(const QString &s)
{
    return collapsed(s, true);
}

static QString collapsed(const QString &s, bool dropControls)
{
    QString out;
    out.reserve(s.size());
    bool pendingSpace = false;
    for (const QChar ch : s) {
        if (isWhitespaceOrNewline(ch.unicode())) {
            pendingSpace = !out.isEmpty();
            continue;
        }
        if (dropControls && ch.category() == QChar::Other_Control) {
            continue;
        }
        if (pendingSpace) {
            out.append(QLatin1Char(' '));
            pendingSpace = false;
        }
        out.append(ch);
    }
    return out;
}

std::optional<QString> apiKeyProblem(const QString &key)
{
    for (const QChar ch : key) {
        if (isWhitespaceOrNewline(ch.unicode()) || ch.category() == QChar::Other_Control) {
            return QStringLiteral("An API key can't contain spaces, line breaks or control characters. Copy the key "
                                  "again and paste only the key.");
        }
    }
    return std::nullopt;
}

} // namespace text
