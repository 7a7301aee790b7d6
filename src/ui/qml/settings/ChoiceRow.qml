// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// A picker: its title, then one button per choice, the current one filled. Each choice is
// named by its text and described by the title; chosen(value) reports the user's pick.
// On a narrow window or in large text the choices go under the title.
GridLayout {
    id: row

    required property string title
    // [{ text, value }], in order.
    required property var choices
    required property var value
    signal chosen(var value)

    Layout.fillWidth: true
    columns: row.width >= titleLabel.implicitWidth + choicesBox.implicitWidth + 12 ? 2 : 1
    columnSpacing: 12
    rowSpacing: 6

    Label {
        id: titleLabel
        Layout.fillWidth: true
        text: row.title
        color: Theme.text
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(15)
    }
    Rectangle {
        id: choicesBox
        implicitWidth: choiceRow.implicitWidth + 6
        implicitHeight: choiceRow.implicitHeight + 6
        radius: 10
        color: Theme.fill
        Row {
            id: choiceRow
            x: 3
            y: 3
            spacing: 2
            Repeater {
                model: row.choices
                delegate: AppButton {
                    id: choice
                    required property var modelData
                    readonly property bool current: choice.modelData.value === row.value
                    text: choice.modelData.text
                    // One of a set, the current one checked (a press on it changes nothing).
                    Accessible.role: Accessible.RadioButton
                    Accessible.checkable: true
                    Accessible.checked: choice.current
                    Accessible.description: row.title
                    padding: 6
                    leftPadding: 12
                    rightPadding: 12
                    font.pixelSize: Theme.size(14)
                    font.weight: choice.current ? Font.DemiBold : Font.Medium
                    onClicked: row.chosen(choice.modelData.value)
                    contentItem: Text {
                        text: choice.text
                        font: choice.font
                        color: choice.current ? "#FFFFFF" : Theme.text
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        Accessible.ignored: true
                    }
                    background: Rectangle {
                        radius: 8
                        color: choice.current ? Theme.blue : "transparent"
                        border.width: choice.visualFocus ? 2 : 0
                        border.color: Theme.text
                    }
                }
            }
        }
    }
}
