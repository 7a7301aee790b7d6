// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls

// A flat button showing one symbol, with a tooltip and an accessible name.
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

    contentItem: Item {
        SymbolIcon {
            anchors.centerIn: parent
            visible: !button.busy
            name: button.symbol
            size: 20
            color: button.symbolColor
            opacity: button.enabled ? 1 : 0.4
        }
        BusyIndicator {
            anchors.centerIn: parent
            width: 22
            height: 22
            visible: button.busy
            running: visible
        }
    }
}
