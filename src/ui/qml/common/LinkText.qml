// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import MerrinVale

// A link: accent-coloured text that does something when clicked, on Return or Space once it has
// the keyboard focus, or on a screen reader's press. What it opens is up to onClicked. Its
// accessible name is its text. (A Text, not a Label: a Label would take back the role of
// static text when a screen reader starts.)
Text {
    id: link

    signal clicked

    color: Theme.blue
    font.family: Theme.fontFamily
    font.weight: Font.Medium
    font.pixelSize: Theme.size(14)
    font.underline: hover.hovered || link.activeFocus
    activeFocusOnTab: true
    Accessible.role: Accessible.Link
    Accessible.name: text
    Accessible.focusable: true
    Accessible.onPressAction: link.clicked()

    Keys.onReturnPressed: link.clicked()
    Keys.onEnterPressed: link.clicked()
    Keys.onSpacePressed: link.clicked()

    HoverHandler {
        id: hover
        cursorShape: Qt.PointingHandCursor
    }
    TapHandler {
        onTapped: link.clicked()
    }
}
