// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The way into Weather School from the home screen: its kicker, the question that starts the
// lesson, its title and Merrin's portrait. A click, Space, Return or a screen reader's press
// opens the lesson.
AppButton {
    id: card

    readonly property string quotation: "“40% doesn't mean what you think it means.”"
    readonly property string line: "Seven things I wish everyone knew about forecasts"

    text: "Weather School with Merrin Vale"
    Accessible.description: "WEATHER SCHOOL · " + quotation + " " + line
    padding: 18
    Keys.onReturnPressed: AccessibleActions.click(card)
    Keys.onEnterPressed: AccessibleActions.click(card)

    background: Rectangle {
        radius: 18
        color: card.down ? Theme.fill : Theme.card
        border.color: card.visualFocus ? Theme.blue : Theme.separator
        border.width: card.visualFocus ? 2 : 1
        Rectangle {
            anchors.fill: parent
            radius: parent.radius
            color: Theme.fill
            opacity: card.hovered && !card.down ? 0.35 : 0
        }
    }

    contentItem: RowLayout {
        spacing: 14
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 6
            RowLayout {
                spacing: 8
                SymbolIcon {
                    name: "graduationcap.fill"
                    size: 18
                    color: Theme.amber
                }
                Kicker {
                    text: "WEATHER SCHOOL"
                    color: Theme.amberText
                    size: 11
                }
            }
            Label {
                Layout.fillWidth: true
                text: card.quotation
                color: Theme.text
                wrapMode: Text.Wrap
                font.pixelSize: Theme.size(18)
                font.weight: Font.Bold
            }
            Label {
                Layout.fillWidth: true
                text: card.line
                color: Theme.secondaryText
                wrapMode: Text.Wrap
                font.pixelSize: Theme.size(14)
            }
        }
        MerrinPortrait {
            Layout.alignment: Qt.AlignVCenter
            size: 44
        }
        SymbolIcon {
            Layout.alignment: Qt.AlignVCenter
            name: "chevron.right"
            size: 18
            color: Theme.tertiaryText
        }
    }
}
