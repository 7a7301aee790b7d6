// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// Rain within the hour: the summary and the hour's minutes as bars, from now to an hour on,
// with a credit to the minute data's source.
Rectangle {
    id: banner

    required property string summary
    required property var bars // minuteBar rows, oldest first
    required property string startLabel
    required property string endLabel
    required property credit credit

    readonly property color barColor: Theme.dark ? "#4FB3E8" : Theme.blue

    implicitHeight: column.implicitHeight + 32
    radius: 16
    color: Qt.rgba(barColor.r, barColor.g, barColor.b, Theme.dark ? 0.14 : 0.09)
    border.color: Qt.rgba(barColor.r, barColor.g, barColor.b, 0.45)

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 16
        spacing: 10

        RowLayout {
            Layout.fillWidth: true
            spacing: 10
            SymbolIcon {
                name: "cloud.rain.fill"
                size: 22
                color: banner.barColor
            }
            Label {
                Layout.fillWidth: true
                text: banner.summary
                color: Theme.text
                wrapMode: Text.Wrap
                font.pixelSize: Theme.size(15)
                font.weight: Font.Bold
            }
        }

        // One bar per minute, standing on a base line, stronger where rain is likelier.
        Item {
            id: strip
            Layout.fillWidth: true
            implicitHeight: 40
            readonly property real step: banner.bars.length > 0 ? width / banner.bars.length : 0

            Rectangle {
                anchors.bottom: parent.bottom
                width: parent.width
                height: 1
                color: Theme.separator
            }
            Repeater {
                model: banner.bars
                Rectangle {
                    id: bar
                    required property int index
                    required property minuteBar modelData
                    x: bar.index * strip.step + strip.step * 0.15
                    width: Math.max(1, strip.step * 0.7)
                    height: Math.max(2, bar.modelData.level * strip.height)
                    anchors.bottom: parent.bottom
                    radius: Math.min(width / 2, 2)
                    color: banner.barColor
                    opacity: 0.25 + 0.75 * bar.modelData.strength
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 8
            Kicker {
                text: banner.startLabel
                color: Theme.tertiaryText
                size: 11
            }
            Item { Layout.fillWidth: true }
            Kicker {
                text: banner.endLabel
                color: Theme.tertiaryText
                size: 11
            }
        }

        RowLayout {
            Layout.alignment: Qt.AlignRight
            spacing: 6
            LinkText {
                text: banner.credit.text
                Accessible.name: banner.credit.accessibleName
                font.pixelSize: Theme.size(12)
                color: Theme.dark ? "#4FB3E8" : Theme.blue // the link blue, lighter on dark
                onClicked: Qt.openUrlExternally(banner.credit.url)
            }
            Label {
                text: banner.credit.licence
                color: Theme.tertiaryText
                font.pixelSize: Theme.size(12)
            }
        }
    }
}
