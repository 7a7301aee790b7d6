// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The week ahead, one row a day: day, symbol, chance of rain, low and high.
Rectangle {
    id: card

    required property string title
    required property var days // dayRow rows

    implicitHeight: column.implicitHeight + 36
    radius: 18
    color: Theme.card
    border.color: Theme.separator

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 18
        spacing: 0

        Kicker {
            Layout.fillWidth: true
            Layout.bottomMargin: 6
            text: card.title
            color: Theme.tertiaryText
            size: 11
        }
        Repeater {
            model: card.days
            ColumnLayout {
                id: day
                required property int index
                required property dayRow modelData
                Layout.fillWidth: true
                spacing: 0
                Rectangle {
                    Layout.fillWidth: true
                    implicitHeight: 1
                    color: Theme.separator
                    visible: day.index > 0
                }
                RowLayout {
                    Layout.fillWidth: true
                    Layout.topMargin: 8
                    Layout.bottomMargin: 8
                    spacing: 12
                    Label {
                        Layout.preferredWidth: 64 * Theme.textScale
                        text: day.modelData.day
                        color: Theme.text
                        font.pixelSize: Theme.size(14)
                        font.weight: Font.Bold
                    }
                    WeatherIcon {
                        code: day.modelData.code
                        size: 26
                    }
                    RowLayout {
                        Layout.preferredWidth: 64 * Theme.textScale
                        spacing: 4
                        SymbolIcon {
                            visible: day.modelData.chance.trim() !== ""
                            name: "umbrella.fill"
                            size: 14
                            color: Theme.dark ? "#4FB3E8" : Theme.blue
                        }
                        Label {
                            text: day.modelData.chance
                            color: Theme.dark ? "#4FB3E8" : Theme.blue
                            font.pixelSize: Theme.size(13)
                            font.weight: Font.DemiBold
                        }
                    }
                    Item { Layout.fillWidth: true }
                    Label {
                        Layout.preferredWidth: 40 * Theme.textScale
                        horizontalAlignment: Text.AlignRight
                        text: day.modelData.low
                        color: Theme.tertiaryText
                        font.pixelSize: Theme.size(15)
                        font.weight: Font.DemiBold
                    }
                    // The day's span within the week's, on a track.
                    Rectangle {
                        Layout.preferredWidth: Math.min(160, card.width * 0.22)
                        Layout.alignment: Qt.AlignVCenter
                        implicitHeight: 5
                        radius: 2.5
                        color: Theme.fill
                        Rectangle {
                            x: parent.width * day.modelData.rangeStart
                            width: Math.max(parent.height, parent.width * (day.modelData.rangeEnd - day.modelData.rangeStart))
                            height: parent.height
                            radius: parent.radius
                            gradient: Gradient {
                                orientation: Gradient.Horizontal
                                GradientStop { position: 0; color: Theme.amber }
                                GradientStop { position: 1; color: "#E8702A" }
                            }
                        }
                    }
                    Label {
                        Layout.preferredWidth: 40 * Theme.textScale
                        horizontalAlignment: Text.AlignRight
                        text: day.modelData.high
                        color: Theme.text
                        font.pixelSize: Theme.size(15)
                        font.weight: Font.Bold
                    }
                }
            }
        }
    }
}
