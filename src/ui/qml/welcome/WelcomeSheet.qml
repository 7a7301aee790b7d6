// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// First-run welcome. It cannot be dismissed except with its button.
Popup {
    id: sheet

    property bool open: false
    signal continueClicked

    visible: open
    modal: true
    closePolicy: Popup.NoAutoClose
    anchors.centerIn: Overlay.overlay
    width: Math.min(460, (parent ? parent.width : 460) - 48)
    padding: 28
    background: Rectangle {
        radius: 18
        color: Theme.background
        border.color: Theme.separator
    }

    // Return continues at once: the button takes the focus when the sheet opens.
    onOpened: continueButton.forceActiveFocus()

    ColumnLayout {
        anchors.fill: parent
        spacing: 14
        Label {
            Layout.fillWidth: true
            text: "Welcome to Merrin Vale"
            color: Theme.text
            wrapMode: Text.Wrap
            font.pixelSize: 24
            font.weight: Font.Black
        }
        Label {
            Layout.fillWidth: true
            text: "Your own meteorologist on the desktop. Merrin finds your place, reads the forecast, the alerts and the forecasters' notes, and briefs you on what matters."
            color: Theme.secondaryText
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(15)
        }
        AppButton {
            id: continueButton
            Layout.alignment: Qt.AlignRight
            text: "Continue"
            highlighted: true
            onClicked: sheet.continueClicked()
            Keys.onReturnPressed: sheet.continueClicked()
            Keys.onEnterPressed: sheet.continueClicked()
        }
    }
}
