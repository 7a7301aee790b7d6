// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import MerrinVale

// The symbol of a WMO weather code by day or night, in the colours of what it shows: sun amber,
// rain and snow blue, clouds and fog grey. `onDark` lightens it for a dark backdrop.
Item {
    id: icon

    property int code
    property bool isDay: true
    property real size: 28
    property bool onDark: Theme.dark

    readonly property string symbol: WeatherSymbols.symbol(code, isDay)

    implicitWidth: size
    implicitHeight: size

    function tint(name: string): color {
        if (name.startsWith("sun") || name === "moon.stars.fill" || name === "moon.fill")
            return name.startsWith("sun") ? Theme.amber : (onDark ? "#C9D3DB" : "#6B7A86")
        if (name.includes("rain") || name.includes("drizzle") || name.includes("sleet") || name.includes("snow")
                || name.includes("bolt") || name === "snowflake")
            return onDark ? "#4FB3E8" : Theme.blue
        return onDark ? "#B8C3CC" : "#7D8A94"
    }

    SymbolIcon {
        anchors.fill: parent
        name: icon.symbol
        size: icon.size
        color: icon.tint(icon.symbol)
    }
}
