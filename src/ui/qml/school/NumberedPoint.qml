// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// A numbered point: its number in a circle, a bold lead sentence and the detail after it.
RowLayout {
    id: point

    required property int index
    required property string lead
    required property string detail

    Layout.fillWidth: true
    spacing: 14

    Rectangle {
        Layout.alignment: Qt.AlignTop
        Layout.topMargin: 2
        implicitWidth: Theme.size(26)
        implicitHeight: implicitWidth
        radius: width / 2
        color: Theme.fill
        Label {
            anchors.centerIn: parent
            text: point.index
            color: Theme.text
            font.pixelSize: Theme.size(13)
            font.weight: Font.Black
        }
    }
    BodyText {
        Layout.fillWidth: true
        markdown: "*" + point.lead + "* " + point.detail
    }
}
