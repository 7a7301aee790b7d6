// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The place, the temperature now and how it feels.
Rectangle {
    id: card

    required property string placeLabel
    required property string temperature
    required property string feelsLike

    implicitHeight: column.implicitHeight + 40
    radius: 18
    color: Theme.card
    border.color: Theme.separator

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 20
        spacing: 4

        Label {
            Layout.fillWidth: true
            text: card.placeLabel
            color: Theme.text
            elide: Text.ElideRight
            font.pixelSize: Theme.size(19)
            font.weight: Font.Bold
        }
        Label {
            text: card.temperature
            color: Theme.text
            font.pixelSize: 76
            font.weight: Font.Black
        }
        Label {
            Layout.fillWidth: true
            text: card.feelsLike
            color: Theme.secondaryText
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(15)
        }
    }
}
