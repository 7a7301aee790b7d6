// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls

// A text field. Its accessible name is `label`, which every field must give ("Search for a
// location", "API key"); the name never comes from what is typed or from the placeholder, which
// is read as the description.
//
// A key field (echoMode: TextInput.Password) keeps its name too: Qt 6.4 reports no name at all
// for an item flagged as a password edit, and flags every password-mode field itself when the
// field is completed and whenever its echo mode changes, so the field takes the flag back off
// each time. (Qt 6.4 gives a field's text as its accessible value in every echo mode.)
TextField {
    id: field

    required property string label

    Accessible.name: label
    Accessible.description: placeholderText

    function keepName() {
        field.Accessible.passwordEdit = false
    }
    Component.onCompleted: keepName()
    onEchoModeChanged: keepName()
}
