// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/IconTable.h"

#include "ui/SymbolImageProvider.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcIcons, "merrin.ui.icons")

namespace {

struct Table
{
    QJsonObject ui;
    QJsonObject weather;
};

const Table &table()
{
    static const Table loaded = [] {
        QFile file(QStringLiteral(":/icons/symbols.json"));
        if (!file.open(QIODevice::ReadOnly)) {
            qCWarning(lcIcons) << "[icons] the symbol table is missing from the resources";
            return Table {};
        }
        const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
        return Table { root.value(QLatin1String("ui")).toObject(), root.value(QLatin1String("weather")).toObject() };
    }();
    return loaded;
}

const QJsonObject &part(IconTable::Style style)
{
    return style == IconTable::Style::Weather ? table().weather : table().ui;
}

} // namespace

IconTable::IconTable(QObject *parent)
    : QObject(parent)
{ }

IconTable *IconTable::create(QQmlEngine *engine, QJSEngine * /*scriptEngine*/)
{
    const QString id = QString::fromLatin1(SymbolImageProvider::providerId);
    if (engine->imageProvider(id) == nullptr) {
        engine->addImageProvider(id, new SymbolImageProvider); // the engine owns it
    }
    return new IconTable(nullptr); // the engine owns a singleton without a parent
}

QString IconTable::file(const QString &symbol, Style style)
{
    if (symbol.isEmpty() || !part(style).contains(symbol)) {
        return {};
    }
    const QString folder = style == Style::Weather ? QStringLiteral("weather") : QStringLiteral("ui");
    return QStringLiteral(":/icons/%1/%2.svg").arg(folder, symbol);
}

QStringList IconTable::symbols(Style style)
{
    return part(style).keys();
}

QUrl IconTable::source(const QString &symbol, const QColor &color, bool multicolor) const
{
    const bool own = multicolor && !file(symbol, Style::Weather).isEmpty();
    if (!own && file(symbol, Style::Interface).isEmpty()) {
        if (!symbol.isEmpty()) {
            qCWarning(lcIcons) << "[icons] no icon for the symbol" << symbol;
        }
        return {};
    }
    const QString shade = own ? QStringLiteral("own") : color.name(QColor::HexArgb).mid(1);
    return QUrl(QStringLiteral("image://%1/%2/%3").arg(QLatin1String(SymbolImageProvider::providerId), shade, symbol));
}
