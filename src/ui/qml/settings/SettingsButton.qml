// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import MerrinVale

// A button of the settings window: filled in the accent colour when `primary`, red text when
// `destructive`, otherwise quiet. Return or Space presses it once it has the focus.
AppButton {
    id: button

    property bool primary: false
    property bool destructive: false

    padding: 7
    leftPadding: 14
    rightPadding: 14
    font.pixelSize: Theme.size(14)
    font.weight: Font.DemiBold
    Keys.onReturnPressed: AccessibleActions.click(button)
    Keys.onEnterPressed: AccessibleActions.click(button)

    contentItem: Text {
        text: button.text
        font: button.font
        color: button.primary ? "#FFFFFF" : button.destructive ? (Theme.dark ? "#FF8A80" : "#C62828") : Theme.text
        opacity: button.enabled ? 1 : 0.5
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        Accessible.ignored: true
    }
    background: Rectangle {
        implicitHeight: 34
        radius: 9
        color: button.primary ? Theme.blue : Theme.fill
        opacity: !button.enabled ? 0.45 : button.down ? 0.8 : button.primary || button.hovered ? 1 : 0.6
        border.width: button.visualFocus ? 2 : 0
        border.color: button.primary ? Theme.text : Theme.blue
    }
}
