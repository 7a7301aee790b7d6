// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The place with its favourite star, the temperature now and how it feels.
Rectangle {
    id: card

    required property string placeLabel
    required property string temperature
    required property string feelsLike
    required property bool isFavorite
    signal favoriteToggled

    implicitHeight: column.implicitHeight + 40
    radius: 18
    color: Theme.card
    border.color: Theme.separator

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 20
        spacing: 4

        RowLayout {
            Layout.fillWidth: true
            spacing: 4
            Label {
                Layout.fillWidth: true
                text: card.placeLabel
                color: Theme.text
                elide: Text.ElideRight
                font.pixelSize: Theme.size(19)
                font.weight: Font.Bold
            }
            SymbolButton {
                symbol: card.isFavorite ? "star.fill" : "star"
                label: card.isFavorite ? "Remove from favourites" : "Add to favourites"
                symbolColor: card.isFavorite ? Theme.amber : Theme.secondaryText
                onClicked: card.favoriteToggled()
            }
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
