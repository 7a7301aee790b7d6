// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import MerrinVale

// A two-digit number of a time (hours or minutes) that Up and Down (or its − and + buttons) step
// through, going round at the ends. modified() reports a change the user made.
SpinBox {
    id: box

    required property string label

    signal modified

    editable: false
    wrap: true
    focusPolicy: Qt.StrongFocus
    activeFocusOnTab: true
    implicitWidth: 104
    font.pixelSize: Theme.size(15)
    font.family: Theme.fontFamily
    Accessible.name: label
    Accessible.description: displayText
    textFromValue: function(value) { return (value < 10 ? "0" : "") + value }
    onValueModified: box.modified()

    // Read-only: the box takes the focus through it, and steps on Up and Down.
    contentItem: TextInput {
        text: box.displayText
        font: box.font
        color: Theme.text
        readOnly: true
        cursorVisible: false
        selectByMouse: false
        horizontalAlignment: Qt.AlignHCenter
        verticalAlignment: Qt.AlignVCenter
        Accessible.name: box.label
        Accessible.description: box.displayText
    }
    background: Rectangle {
        implicitHeight: 34
        radius: 9
        color: Theme.background
        border.width: box.visualFocus ? 2 : 1
        border.color: box.visualFocus ? Theme.blue : Theme.separator
    }
    down.indicator: Step { x: 0; plus: false; pressed: box.down.pressed }
    up.indicator: Step { x: box.width - width; plus: true; pressed: box.up.pressed }

    // A − or + drawn as bars.
    component Step: Rectangle {
        id: step
        required property bool plus
        required property bool pressed
        y: 0
        implicitWidth: 30
        implicitHeight: 34
        radius: 9
        color: step.pressed ? Theme.fill : "transparent"
        Rectangle {
            anchors.centerIn: parent
            width: 11
            height: 2
            radius: 1
            color: Theme.secondaryText
        }
        Rectangle {
            anchors.centerIn: parent
            visible: step.plus
            width: 2
            height: 11
            radius: 1
            color: Theme.secondaryText
        }
    }
}
