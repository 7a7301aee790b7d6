// SPDX-License-Identifier: GPL-3.0-or-later
// The icon table: every symbol the app names has a bundled icon, and the icons reach the screen
// recoloured (interface symbols) or in their own colours (weather symbols).
#include "ui/IconTable.h"
#include "ui/SymbolImageProvider.h"
#include "weather/WeatherCodes.h"

#include "Await.h"

#include <QFile>
#include <QImage>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QSet>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The symbols the screens name directly.
const QStringList interfaceSymbols { "magnifyingglass", "location", "location.fill", "star", "star.fill",
    "clock.arrow.circlepath", "arrow.clockwise", "xmark", "drop.fill", "wind", "humidity.fill", "sun.max.fill",
    "umbrella.fill", "chevron.right", "chevron.down", "exclamationmark.triangle.fill", "arrow.up", "play.fill",
    "stop.fill", "graduationcap", "gearshape", "info.circle" };

// Every symbol the weather codes can give, by day and at night.
QSet<QString> weatherSymbols()
{
    QSet<QString> symbols;
    for (qint64 code = -1; code <= 100; ++code) {
        symbols.insert(weather_codes::cardLabel(code, true).symbol);
        symbols.insert(weather_codes::cardLabel(code, false).symbol);
    }
    return symbols;
}

// The distinct opaque colours of an image.
QSet<QRgb> opaqueColours(const QImage &image)
{
    QSet<QRgb> colours;
    const QImage plain = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            if (qAlpha(plain.pixel(x, y)) == 255) {
                colours.insert(plain.pixel(x, y));
            }
        }
    }
    return colours;
}

QString idOf(const QUrl &source)
{
    return source.toString().section(QLatin1Char('/'), 3); // after "image://symbol/"
}

} // namespace

TEST(IconTableTest, EverySymbolTheAppNamesHasABundledIcon)
{
    for (const QString &symbol : interfaceSymbols) {
        SCOPED_TRACE(symbol.toStdString());
        EXPECT_TRUE(QFile::exists(IconTable::file(symbol, IconTable::Style::Interface)));
    }
    for (const QString &symbol : weatherSymbols()) {
        SCOPED_TRACE(symbol.toStdString());
        EXPECT_TRUE(QFile::exists(IconTable::file(symbol, IconTable::Style::Interface))) << "single colour";
        EXPECT_TRUE(QFile::exists(IconTable::file(symbol, IconTable::Style::Weather))) << "full colour";
    }
    EXPECT_EQ(IconTable::file(QStringLiteral("no.such.symbol"), IconTable::Style::Interface), QString());
    EXPECT_EQ(IconTable(nullptr).source(QStringLiteral("no.such.symbol"), Qt::red, false), QUrl());
}

TEST(IconTableTest, InterfaceIconsTakeTheGivenColourAndWeatherIconsKeepTheirOwn)
{
    IconTable table(nullptr);
    SymbolImageProvider provider;
    const QColor amber(QStringLiteral("#D9A514"));
    for (const QString &symbol : IconTable::symbols(IconTable::Style::Interface)) {
        SCOPED_TRACE(symbol.toStdString());
        QSize size;
        const QImage image = provider.requestImage(idOf(table.source(symbol, amber, false)), &size, QSize(48, 48));
        EXPECT_EQ(size, QSize(48, 48));
        EXPECT_EQ(opaqueColours(image), QSet<QRgb> { amber.rgba() }) << "drawn in the one colour asked for";
    }
    for (const QString &symbol : IconTable::symbols(IconTable::Style::Weather)) {
        SCOPED_TRACE(symbol.toStdString());
        const QImage image = provider.requestImage(idOf(table.source(symbol, amber, true)), nullptr, QSize(64, 64));
        EXPECT_EQ(image.size(), QSize(64, 64));
        EXPECT_GT(opaqueColours(image).size(), 3) << "drawn in its own colours";
    }
    EXPECT_TRUE(provider.requestImage(QStringLiteral("ff000000/no.such.symbol"), nullptr, QSize(8, 8)).isNull());
    EXPECT_TRUE(provider.requestImage(QStringLiteral("not-a-colour/star"), nullptr, QSize(8, 8)).isNull());
}

TEST(IconTableTest, SymbolIconShowsItsSymbolInAnyEngine)
{
    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQmlComponent component(&engine);
    component.setData("import MerrinVale\nSymbolIcon {}", QUrl());
    ASSERT_TRUE(component.isReady()) << component.errorString().toStdString();
    std::unique_ptr<QObject> icon(component.createWithInitialProperties(
        { { "name", "cloud.rain.fill" }, { "size", 32 }, { "multicolor", true } }));
    ASSERT_TRUE(icon) << component.errorString().toStdString();
    const auto ready = [&] { return icon->property("status").toInt() == 1; }; // Image.Ready
    ASSERT_TRUE(test_support::spinUntil(ready)) << icon->property("status").toInt();
    EXPECT_EQ(icon->property("implicitWidth").toReal(), 32);
}

TEST(IconTableTest, MerrinsPortraitIsInTheResourcesAtEverySize)
{
    for (const int size : { 512, 256, 128, 64 }) {
        const QString path = size == 512 ? QStringLiteral(":/images/merrinavatar.png")
                                         : QStringLiteral(":/images/merrinavatar-%1.png").arg(size);
        EXPECT_EQ(QImage(path).size(), QSize(size, size)) << path.toStdString();
    }
}
