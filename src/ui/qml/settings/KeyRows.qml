// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The rows of one API key: a field for a new key (never filled with the saved one) with "Save
// key", and while a key is saved, where it is kept and "Remove key". Saving hands the draft
// over as typed (the settings store trims it) and empties the field.
ColumnLayout {
    id: rows

    required property bool saved
    property string placeholder
    // Why the last key typed was refused, shown under the field.
    property string problem
    signal save(string draft)
    signal remove

    Layout.fillWidth: true
    spacing: 10

    function focusField() {
        field.forceActiveFocus()
    }

    function saveDraft() {
        if (field.text.length === 0)
            return
        rows.save(field.text)
        field.clear()
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        AppTextField {
            id: field
            Layout.fillWidth: true
            label: "API key"
            echoMode: TextInput.Password
            placeholderText: rows.placeholder
            font.pixelSize: Theme.size(14)
            color: Theme.text
            placeholderTextColor: Theme.tertiaryText
            background: Rectangle {
                implicitHeight: 34
                radius: 9
                color: Theme.background
                border.width: field.activeFocus ? 2 : 1
                border.color: field.activeFocus ? Theme.blue : Theme.separator
            }
            Keys.onReturnPressed: rows.saveDraft()
            Keys.onEnterPressed: rows.saveDraft()
        }
        SettingsButton {
            text: "Save key"
            primary: true
            enabled: field.text.length > 0
            onClicked: rows.saveDraft()
        }
    }
    Label {
        Layout.fillWidth: true
        visible: rows.problem !== ""
        text: rows.problem
        color: Theme.alertRed
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(13)
    }
    RowLayout {
        Layout.fillWidth: true
        visible: rows.saved
        spacing: 8
        SymbolIcon {
            name: "checkmark.circle.fill"
            color: Theme.dark ? "#5CB8E6" : Theme.blue
            size: 18
        }
        Label {
            Layout.fillWidth: true
            text: App.settings.keyringAvailable ? "Saved in your keyring" : "Kept only until Merrin Vale quits"
            color: Theme.secondaryText
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(14)
        }
        SettingsButton {
            text: "Remove key"
            destructive: true
            onClicked: rows.remove()
        }
    }
}
