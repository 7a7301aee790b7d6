// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QStringList>
#include <QUrl>

// The app's symbol names ("star.fill", "cloud.rain.fill") and the bundled icon each one shows.
// The table itself is resources/icons/symbols.json, the same file tools/icons/extract-icons.mjs
// reads to pick the icons: every symbol has a single-colour interface icon (Material Symbols,
// recoloured on screen), and the weather symbols also a full-colour one (Meteocons).
class IconTable : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    enum class Style { Interface, Weather };

    // No default: QML makes the singleton through create().
    explicit IconTable(QObject *parent);
    // Also installs the "symbol" image provider on the engine that first asks for the table.
    static IconTable *create(QQmlEngine *engine, QJSEngine *scriptEngine);

    // The resource file of a symbol (":/icons/ui/star.fill.svg"); empty when the table has none.
    [[nodiscard]] static QString file(const QString &symbol, Style style);
    [[nodiscard]] static QStringList symbols(Style style);

    // What an Image shows for a symbol: drawn in `color`, or, with `multicolor`, in the weather
    // icon's own colours where the symbol has one. Empty for a name the table does not know.
    Q_INVOKABLE QUrl source(const QString &symbol, const QColor &color, bool multicolor) const;
};
