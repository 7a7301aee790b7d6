// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// Merrin's column: her portrait and name, the headline and the briefing (the AI's, else the
// local composer's) with a line while she is still at work, the Listen button, then the Ask
// panel.
Rectangle {
    id: card

    readonly property BriefingViewModel briefing: App.briefing
    readonly property string prose: App.model.currentBriefing

    implicitHeight: column.implicitHeight + 40
    radius: 18
    color: Theme.card
    border.color: Theme.separator

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 20
        spacing: 12

        RowLayout {
            Layout.fillWidth: true
            spacing: 12

            AppButton {
                id: portraitButton
                text: "About Merrin Vale"
                padding: 0
                implicitWidth: 48
                implicitHeight: 48
                ToolTip.visible: hovered
                ToolTip.delay: 500
                ToolTip.text: text
                onClicked: card.toggleBio()
                background: Rectangle {
                    radius: width / 2
                    color: "transparent"
                    border.width: portraitButton.visualFocus ? 2 : 0
                    border.color: Theme.blue
                }
                contentItem: MerrinPortrait { size: 48 }
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 2
                Kicker {
                    text: "MERRIN VALE"
                    color: Theme.text
                    size: 13
                }
                Kicker {
                    Layout.fillWidth: true
                    text: "METEOROLOGIST · THE BRIEFING"
                    color: Theme.dark ? Qt.lighter(Theme.blue, 1.7) : Theme.blue
                    elide: Text.ElideRight
                    size: 11
                }
            }
        }

        Label {
            Layout.fillWidth: true
            visible: App.model.headline !== ""
            text: App.model.headline
            color: Theme.text
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(19)
            font.weight: Font.Bold
        }

        Label {
            Layout.fillWidth: true
            text: card.prose !== "" ? card.prose : "Merrin is pulling up the forecast…"
            color: card.prose !== "" ? Theme.text : Theme.secondaryText
            wrapMode: Text.Wrap
            lineHeight: 1.2
            font.pixelSize: Theme.size(15)
        }

        ExpandingLine {
            Layout.fillWidth: true
            visible: card.prose !== "" && card.briefing.statusLine === BriefingViewModel.Expanding
            dots: card.briefing.dots
        }
        StayTunedLine {
            Layout.fillWidth: true
            visible: card.prose !== "" && card.briefing.statusLine === BriefingViewModel.StayTuned
            dots: card.briefing.dots
        }

        ListenButton {
            Layout.fillWidth: true
            Layout.topMargin: 2
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.topMargin: 4
            implicitHeight: 1
            color: Theme.separator
        }

        AskPanel {
            Layout.fillWidth: true
        }
    }

    // Who Merrin is, made the first time it is asked for.
    Loader {
        id: bioLoader
        active: false
        source: "MerrinBioView.qml"
    }

    function toggleBio() {
        bioLoader.active = true
        const bio = bioLoader.item as Popup
        if (bio.visible)
            bio.close()
        else
            bio.open()
    }
}
