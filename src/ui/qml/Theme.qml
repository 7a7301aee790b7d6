// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick

// Colours with a light and a dark value, and the one typeface family.
QtObject {
    id: theme

    // Dark when the desktop's window colour is dark.
    readonly property SystemPalette systemPalette: SystemPalette {}
    property bool dark: systemPalette.window.hslLightness < 0.5
    readonly property string fontFamily: "Archivo"
    property real textScale: 1.0

    // Sizes up to 20 points follow the text-size setting; larger ones stay as designed.
    function size(points) {
        return points <= 20 ? points * textScale : points
    }

    readonly property color background: dark ? "#101820" : "#eef3f8"
    readonly property color card: dark ? "#1b2631" : "#ffffff"
    readonly property color text: dark ? "#eef3f8" : "#13202c"
    readonly property color secondaryText: dark ? "#9fb0c0" : "#55687a"
    readonly property color accent: dark ? "#7cc4ff" : "#1f6fb8"
    readonly property color warning: dark ? "#ffb35c" : "#b45309"
}
