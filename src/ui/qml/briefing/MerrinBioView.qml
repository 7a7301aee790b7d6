// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// Who Merrin is: her portrait, name and three paragraphs. Escape, a click outside or the close
// button dismiss it.
Popup {
    id: bio

    parent: Overlay.overlay
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    x: Math.round(((parent ? parent.width : width) - width) / 2)
    y: Math.max(24, Math.round(((parent ? parent.height : height) - height) / 2))
    width: Math.min(480, (parent ? parent.width : 480) - 48)
    height: Math.min(column.implicitHeight + topPadding + bottomPadding, (parent ? parent.height : 600) - 48)
    padding: 24
    background: Rectangle {
        radius: 18
        color: Theme.background
        border.color: Theme.separator
    }

    onOpened: closeButton.forceActiveFocus()

    ScrollView {
        id: scroll
        anchors.fill: parent
        contentWidth: availableWidth
        ScrollBar.horizontal.policy: ScrollBar.AlwaysOff

        ColumnLayout {
            id: column
            width: scroll.availableWidth
            spacing: 14

            RowLayout {
                Layout.fillWidth: true
                spacing: 14
                MerrinPortrait { size: 72 }
                ColumnLayout {
                    spacing: 2
                    Kicker {
                        text: "MERRIN VALE"
                        color: Theme.text
                        size: 17
                    }
                    Kicker {
                        text: "METEOROLOGIST"
                        color: Theme.dark ? Qt.lighter(Theme.blue, 1.7) : Theme.blue
                        size: 11
                    }
                }
                Item { Layout.fillWidth: true }
                SymbolButton {
                    id: closeButton
                    Layout.alignment: Qt.AlignTop
                    symbol: "xmark"
                    label: "Close"
                    onClicked: bio.close()
                }
            }

            Repeater {
                model: [
                    "Merrin has been obsessed with the sky since she was a kid pressing her nose to the window during thunderstorms. She's the kind of meteorologist who reads model runs for fun, celebrates when the forecast busts (“that's how you learn!”), and can talk dew points at a dinner party until someone changes the subject.",
                    "She's made your area her beat — the local patterns, the quirks, what the forecasters at the local weather office are watching — so her briefings come with a hometown read, not a generic printout.",
                    "Her dream job was always the same: to be a TV weather person. This is her broadcast — for an audience of one."
                ]
                delegate: Label {
                    required property string modelData
                    Layout.fillWidth: true
                    text: modelData
                    color: Theme.text
                    wrapMode: Text.Wrap
                    lineHeight: 1.15
                    font.pixelSize: Theme.size(15)
                }
            }
        }
    }
}
