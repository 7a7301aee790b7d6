// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import MerrinVale

// A row that opens (checked) or closes what follows it, with a chevron that says which. A
// screen reader's toggle or press flips it as a click does.
AppButton {
    id: disclosure

    readonly property color accent: Theme.dark ? "#5CB8E6" : Theme.blue

    checkable: true
    Accessible.onToggleAction: AccessibleActions.click(disclosure)
    padding: 4
    leftPadding: 0
    font.pixelSize: Theme.size(15)

    contentItem: Row {
        spacing: 6
        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            name: disclosure.checked ? "chevron.down" : "chevron.right"
            color: disclosure.accent
            size: 18
        }
        Text {
            text: disclosure.text
            font: disclosure.font
            color: disclosure.accent
            Accessible.ignored: true
        }
    }
    background: Rectangle {
        color: "transparent"
        radius: 6
        border.width: disclosure.visualFocus ? 2 : 0
        border.color: Theme.blue
    }
}
