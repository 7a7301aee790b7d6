// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// A message above the cards that the user can dismiss; a new message shows again.
Rectangle {
    id: banner

    required property string message
    property bool dismissed: false

    onMessageChanged: dismissed = false

    visible: message !== "" && !dismissed
    implicitHeight: row.implicitHeight + 20
    radius: 12
    color: Qt.rgba(Theme.amber.r, Theme.amber.g, Theme.amber.b, 0.16)
    border.color: Theme.amber

    Accessible.role: Accessible.AlertMessage
    Accessible.name: message

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 14
        anchors.rightMargin: 4
        spacing: 8

        Label {
            Layout.fillWidth: true
            text: banner.message
            color: Theme.text
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(13)
        }
        SymbolButton {
            symbol: "xmark"
            label: "Dismiss"
            symbolColor: Theme.secondaryText
            onClicked: banner.dismissed = true
        }
    }
}
