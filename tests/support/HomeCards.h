// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QQuickWindow>
#include <QString>

// The home screen makes the cards below its first screenful just after the first ones are drawn:
// true once they are there.
inline bool laterCardsMade(const QQuickWindow *window)
{
    const QObject *loader = window ? window->findChild<QObject *>(QStringLiteral("laterCards")) : nullptr;
    return loader && loader->property("item").value<QObject *>() != nullptr;
}
