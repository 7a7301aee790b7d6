// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QQuickImageProvider>

// Renders the bundled SVG icons at the size an Image asks for. An id is "<colour>/<symbol>":
// a colour ("ff0085c0", ARGB hex) recolours the single-colour interface icon, "own" keeps the
// weather icon's own colours. The URLs come from IconTable::source().
class SymbolImageProvider : public QQuickImageProvider
{
public:
    static constexpr auto providerId = "symbol";

    SymbolImageProvider();
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
};
