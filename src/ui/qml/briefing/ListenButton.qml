// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// Listen / Stop for the spoken briefing, and under it what the voice is doing: "Merrin is
// warming up…" while the audio is made, or why it failed, in the alert red.
ColumnLayout {
    id: listen

    readonly property SpokenBriefing spoken: App.spoken
    readonly property BriefingAudioPlayer player: App.player
    readonly property bool playing: player.isPlaying

    spacing: 6

    AppButton {
        id: button
        objectName: "listenButton"
        text: listen.playing ? "Stop" : "Listen"
        Accessible.name: listen.playing ? "Stop the briefing" : "Listen to the briefing"
        enabled: !listen.spoken.preparing
        padding: 0
        leftPadding: 14
        rightPadding: 16
        implicitHeight: 34
        onClicked: listen.playing ? listen.spoken.stop() : listen.spoken.listen()

        contentItem: RowLayout {
            spacing: 6
            SymbolIcon {
                name: listen.playing ? "stop.fill" : "play.fill"
                color: "white"
                size: Theme.size(15)
            }
            Label {
                text: button.text
                color: "white"
                font.pixelSize: Theme.size(13)
                font.weight: Font.DemiBold
            }
        }
        background: Rectangle {
            radius: height / 2
            color: button.down ? Theme.deepBlue : Theme.blue
            opacity: button.enabled ? 1 : 0.5
            border.width: button.visualFocus ? 2 : 0
            border.color: Theme.text
        }
    }

    Label {
        Layout.fillWidth: true
        visible: listen.spoken.preparing
        text: "Merrin is warming up…"
        color: Theme.secondaryText
        wrapMode: Text.Wrap
        font.italic: true
        font.pixelSize: Theme.size(12)
    }
    Label {
        objectName: "listenFailure"
        Layout.fillWidth: true
        visible: text !== ""
        text: listen.spoken.failureMessage
        color: Theme.alertRed
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(12)
    }
}
