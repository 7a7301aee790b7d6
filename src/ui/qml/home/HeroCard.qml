// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The place with its favourite star, the temperature now, the sky, how it feels and four stats.
Rectangle {
    id: card

    required property string placeLabel
    required property string temperature
    required property string headline
    required property string feelsLike
    required property bool isFavorite
    required property int code
    required property bool isDay
    required property var stats // statCell rows
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
        RowLayout {
            Layout.fillWidth: true
            spacing: 14
            Label {
                text: card.temperature
                color: Theme.text
                font.pixelSize: 76 // drawn as designed, whatever the text size
                font.weight: Font.Black
            }
            ColumnLayout {
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignVCenter
                spacing: 4
                WeatherIcon {
                    code: card.code
                    isDay: card.isDay
                    size: 40
                }
                Kicker {
                    Layout.fillWidth: true
                    text: card.headline
                    color: Theme.secondaryText
                    wrapMode: Text.Wrap
                    size: 14
                }
            }
        }
        Label {
            Layout.fillWidth: true
            text: card.feelsLike
            color: Theme.secondaryText
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(15)
        }
        Rectangle {
            Layout.fillWidth: true
            Layout.topMargin: 12
            Layout.bottomMargin: 8
            implicitHeight: 1
            color: Theme.separator
        }
        GridLayout {
            Layout.fillWidth: true
            // Four across when there is room, else two by two.
            columns: card.width > 560 ? 4 : 2
            columnSpacing: 16
            rowSpacing: 14
            Repeater {
                model: card.stats
                HeroStat {
                    required property statCell modelData
                    Layout.fillWidth: true
                    Layout.preferredWidth: 1 // equal columns
                    symbol: modelData.symbol
                    caption: modelData.caption
                    value: modelData.value
                }
            }
        }
    }
}
