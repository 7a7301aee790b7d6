// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// One question of the conversation and Merrin's answer, which can be selected and copied.
ColumnLayout {
    id: exchange

    required property string question
    required property string answer

    spacing: 4

    Label {
        Layout.fillWidth: true
        text: exchange.question
        color: Theme.secondaryText
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(14)
        font.weight: Font.DemiBold
    }
    TextEdit {
        Layout.fillWidth: true
        text: exchange.answer
        readOnly: true
        selectByMouse: true
        selectByKeyboard: true
        wrapMode: TextEdit.Wrap
        color: Theme.text
        selectionColor: Theme.blue
        selectedTextColor: "white"
        font.family: Theme.fontFamily
        font.weight: Font.Medium
        font.pixelSize: Theme.size(15)
        // Read as text, not offered as a field to type in.
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
}
