// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick
import MerrinVale

// The palette (one light and one dark value per colour) and the one typeface family. Sizes up
// to 20 points follow the text-size setting; larger ones stay as designed.
QtObject {
    id: theme

    // Dark or light as the desktop prefers (its portal's colour scheme); with no preference, dark
    // when the desktop's window colour is dark. Writable, so a screen test can fix it.
    readonly property SystemPalette systemPalette: SystemPalette {}
    property bool dark: ColorScheme.preference === ColorScheme.PreferDark
                        || (ColorScheme.preference === ColorScheme.NoPreference
                            && systemPalette.window.hslLightness < 0.5)
    // Unscaled until the main window binds it to the text-size setting (the settings store holds
    // its default); screens loaded on their own, as in tests, stay unscaled.
    property real textScale: 1.0

    readonly property string fontFamily: "Archivo"

    function size(points) {
        return points <= 20 ? points * textScale : points
    }

    // The nine colours of the palette, dark / light.
    readonly property color secondaryText: dark ? "#A3B0BA" : "#3E4952"
    readonly property color tertiaryText: dark ? "#85919A" : "#59656E"
    readonly property color separator: dark ? "#252F37" : "#D8DFE4"
    readonly property color fill: dark ? "#2E3A44" : "#D2D8DD"
    readonly property color text: dark ? "#ECEFF1" : "#121C23"
    readonly property color amber: dark ? "#D9A514" : "#E3AE28"
    readonly property color background: dark ? "#071117" : "#F3F5F7"
    readonly property color blue: dark ? "#006DAB" : "#0085C0"
    readonly property color deepBlue: dark ? "#004794" : "#005FAD"
    // Not one of the nine: the cards' surface over the background.
    // The red of alerts and failures (0.8, 0.153, 0.180).
    readonly property color alertRed: Qt.rgba(0.8, 0.153, 0.180, 1)
    readonly property color card: dark ? Qt.rgba(1, 1, 1, 0.05) : "#FFFFFF"
}
