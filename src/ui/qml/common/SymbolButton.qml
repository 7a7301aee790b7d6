// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import MerrinVale

// A flat button showing one symbol, with a tooltip. Its accessible name is `label`, and a
// screen reader's press clicks it. While busy the symbol pulses.
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
    Accessible.onPressAction: AccessibleActions.click(button)
    ToolTip.visible: hovered
    ToolTip.delay: 500
    ToolTip.text: hint

    background: Rectangle {
        radius: 10
        color: Theme.fill
        opacity: button.down ? 0.9 : button.hovered || button.visualFocus ? 0.5 : 0
    }

    // While busy the symbol pulses.
    property real pulse
    SequentialAnimation on pulse {
        running: button.busy
        loops: Animation.Infinite
        onStopped: button.pulse = 1
        NumberAnimation { from: 1; to: 0.25; duration: 600; easing.type: Easing.InOutQuad }
        NumberAnimation { from: 0.25; to: 1; duration: 600; easing.type: Easing.InOutQuad }
    }

    contentItem: Item {
        SymbolIcon {
            anchors.centerIn: parent
            name: button.symbol
            size: 20
            color: button.busy ? Theme.blue : button.symbolColor
            opacity: button.busy ? button.pulse : (button.enabled ? 1 : 0.4)
        }
    }
}
