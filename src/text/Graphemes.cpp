// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Graphemes.h"

#include <QTextBoundaryFinder>

namespace text {

qsizetype graphemeCount(const QString &s)
{
    if (s.isEmpty()) {
        return 0;
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1) {
        ++count;
    }
    return count;
}

QString graphemePrefix(const QString &s, qsizetype n)
{
    if (n <= 0) {
        return {};
    }
    if (s.size() <= n) {
        return s; // never more characters than code units
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    qsizetype taken = 0;
    qsizetype position = 0;
    while (taken < n) {
        const qsizetype next = finder.toNextBoundary();
        if (next == -1) {
            return s;
        }
        position = next;
        ++taken;
    }
    return s.left(position);
}

} // namespace text
