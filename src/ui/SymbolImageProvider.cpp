// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SymbolImageProvider.h"

#include "ui/IconTable.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <climits>

SymbolImageProvider::SymbolImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{ }

QImage SymbolImageProvider::requestImage(const QString &id, QSize *size, const QSize &requestedSize)
{
    const qsizetype slash = id.indexOf(QLatin1Char('/'));
    const QString shade = id.left(slash);
    const QString symbol = id.mid(slash + 1);
    const bool own = shade == QLatin1String("own");
    const QString path = IconTable::file(symbol, own ? IconTable::Style::Weather : IconTable::Style::Interface);
    QFile file(path);
    if (slash < 0 || path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray svg = file.readAll();
    QColor color;
    if (!own) {
        // The interface icons draw in currentColor: give it the colour, and its alpha as opacity.
        color = QColor(QLatin1Char('#') + shade);
        if (!color.isValid()) {
            return {};
        }
        svg.replace("currentColor", color.name(QColor::HexRgb).toLatin1());
    }
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        return {};
    }
    QSize target = renderer.defaultSize();
    if (requestedSize.width() > 0 || requestedSize.height() > 0) {
        target.scale(requestedSize.width() > 0 ? requestedSize.width() : INT_MAX,
            requestedSize.height() > 0 ? requestedSize.height() : INT_MAX, Qt::KeepAspectRatio);
    }
    QImage image(target, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!own) {
        painter.setOpacity(color.alphaF());
    }
    renderer.render(&painter, QRectF(QPointF(0, 0), target));
    painter.end();
    if (size != nullptr) {
        *size = target;
    }
    return image;
}
