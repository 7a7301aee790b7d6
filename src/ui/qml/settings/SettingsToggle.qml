// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// A setting that is on or off: its title on the left, the switch on the right. The switch is
// named by the title; toggled(checked) reports what the user chose.
RowLayout {
    id: row

    required property string title
    required property bool checked
    signal toggled(bool checked)

    Layout.fillWidth: true
    spacing: 12

    Label {
        Layout.fillWidth: true
        Layout.alignment: Qt.AlignVCenter
        text: row.title
        color: Theme.text
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(15)
    }
    AppSwitch {
        id: toggle
        Layout.alignment: Qt.AlignVCenter
        padding: 0
        Accessible.name: row.title
        checked: row.checked
        onToggled: row.toggled(toggle.checked)
        indicator: Rectangle {
            implicitWidth: 46
            implicitHeight: 28
            x: toggle.leftPadding
            y: (toggle.height - height) / 2
            radius: height / 2
            color: toggle.checked ? Theme.blue : Theme.fill
            border.width: toggle.visualFocus ? 2 : 0
            border.color: Theme.text
            Rectangle {
                x: toggle.checked ? parent.width - width - 3 : 3
                y: 3
                width: parent.height - 6
                height: width
                radius: width / 2
                color: "#FFFFFF"
                Behavior on x { NumberAnimation { duration: 120 } }
            }
        }
    }
}
