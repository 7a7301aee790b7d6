// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls

// A flat button showing one symbol, with a tooltip and an accessible name. While busy the
// symbol pulses.
ToolButton {
    id: button

    required property string symbol
    required property string label
    property string hint: label
    property color symbolColor: Theme.text
    property bool busy: false

    implicitWidth: 38
    implicitHeight: 38
    Accessible.name: label
    ToolTip.visible: hovered
    ToolTip.delay: 500
    ToolTip.text: hint

    background: Rectangle {
        radius: 10
        color: Theme.fill
        opacity: button.down ? 0.9 : button.hovered || button.visualFocus ? 0.5 : 0
    }

    contentItem: Item {
        SymbolIcon {
            id: glyph
            anchors.centerIn: parent
            name: button.symbol
            size: 20
            color: button.busy ? Theme.blue : button.symbolColor
            opacity: button.enabled || button.busy ? 1 : 0.4

            // While busy the symbol pulses.
            SequentialAnimation on opacity {
                running: button.busy
                loops: Animation.Infinite
                onStopped: glyph.opacity = Qt.binding(() => button.enabled || button.busy ? 1 : 0.4)
                NumberAnimation { from: 1; to: 0.25; duration: 600; easing.type: Easing.InOutQuad }
                NumberAnimation { from: 0.25; to: 1; duration: 600; easing.type: Easing.InOutQuad }
            }
        }
    }
}
