// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// Shown once, over the whole window: Merrin can read the briefing aloud. Without a Google key it
// points to the settings that give her a studio voice. Either button marks it seen; Return
// presses the main one and Escape the corner one.
Popup {
    id: view

    property bool open: false
    // "Give her a better voice": the settings window, on the voice section.
    signal openSettings

    readonly property bool hasKey: App.settings.hasGoogleApiKey
    readonly property color accent: Theme.dark ? "#5CB8E6" : Theme.blue

    objectName: "voiceIntro"
    visible: open
    parent: Overlay.overlay
    x: 0
    y: 0
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    modal: true
    focus: true
    closePolicy: Popup.NoAutoClose
    padding: 0
    background: Rectangle { color: Theme.background }

    VoiceIntro {
        id: intro
        settings: App.settings
        onOpenSettingsRequested: view.openSettings()
    }

    onOpened: mainButton.forceActiveFocus()

    FocusScope {
        anchors.fill: parent
        focus: true
        Keys.onReturnPressed: AccessibleActions.click(mainButton)
        Keys.onEnterPressed: AccessibleActions.click(mainButton)
        Keys.onEscapePressed: AccessibleActions.click(cornerButton)

        IntroButton {
            id: cornerButton
            z: 1
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: 14
            text: view.hasKey ? "Close" : "Not now"
            onClicked: intro.close()
        }

        Flickable {
            id: scroller
            anchors.left: parent.left
            anchors.right: parent.right
            // Beside the corner button: the content is centred and narrower than the window.
            anchors.top: parent.top
            anchors.topMargin: 16
            anchors.bottom: mainButton.top
            anchors.bottomMargin: 12
            clip: true
            contentHeight: Math.max(content.implicitHeight + 16, height)
            boundsBehavior: Flickable.StopAtBounds

            ColumnLayout {
                id: content
                width: Math.min(scroller.width - 48, 540)
                x: (scroller.width - width) / 2
                y: Math.max(0, (scroller.height - implicitHeight) / 2)
                spacing: 12

                Item {
                    Layout.alignment: Qt.AlignHCenter
                    implicitWidth: 96
                    implicitHeight: 88
                    MerrinPortrait {
                        size: 84
                    }
                    Rectangle {
                        anchors.right: parent.right
                        anchors.bottom: parent.bottom
                        width: 34
                        height: 34
                        radius: 17
                        color: Theme.blue
                        border.width: 3
                        border.color: Theme.background
                        SymbolIcon {
                            anchors.centerIn: parent
                            name: "waveform"
                            color: "#FFFFFF"
                            size: 18
                        }
                    }
                }
                Label {
                    Layout.fillWidth: true
                    text: "Merrin has found her voice"
                    color: Theme.text
                    wrapMode: Text.Wrap
                    horizontalAlignment: Text.AlignHCenter
                    font.pixelSize: Theme.size(26)
                    font.weight: Font.Black
                }
                Label {
                    Layout.fillWidth: true
                    text: "She can now read your briefing out loud — so you can catch the forecast while you're making coffee, getting the kids out the door, or driving to work."
                    color: Theme.secondaryText
                    wrapMode: Text.Wrap
                    horizontalAlignment: Text.AlignHCenter
                    font.pixelSize: Theme.size(15)
                }
                IntroRow {
                    Layout.topMargin: 6
                    title: "Press Listen"
                    symbol: "waveform.circle.fill"
                    body: "There's a Listen button on Merrin's briefing, right below her forecast."
                }
                IntroRow {
                    title: "Or play it from your launcher"
                    symbol: "square.grid.2x2"
                    body: "Right-click Merrin Vale in your launcher and choose Play Weather Briefing. She'll start talking without you opening the window."
                }
                IntroRow {
                    title: "On headphones"
                    symbol: "headphones"
                    body: "Play through Bluetooth headphones or speakers, and pause with your keyboard's media keys."
                }
                IntroRow {
                    visible: !view.hasKey
                    title: ""
                    symbol: "sparkles"
                    tint: Theme.amber
                    body: "Merrin reads it in your device's built-in voice to start with. If you'd like her to sound like a real broadcaster, Settings shows you how — it takes about a minute and it's free to start."
                }
            }
        }

        IntroButton {
            id: mainButton
            anchors.bottom: parent.bottom
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottomMargin: 22
            primary: true
            text: view.hasKey ? "Got it" : "Give her a better voice"
            onClicked: intro.accept()
        }
    }

    component IntroButton: AppButton {
        id: button
        property bool primary: false
        padding: 10
        leftPadding: 20
        rightPadding: 20
        font.pixelSize: Theme.size(15)
        font.weight: Font.DemiBold
        Keys.onReturnPressed: AccessibleActions.click(button)
        Keys.onEnterPressed: AccessibleActions.click(button)
        contentItem: Text {
            text: button.text
            font: button.font
            color: button.primary ? "#FFFFFF" : Theme.text
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            Accessible.ignored: true
        }
        background: Rectangle {
            implicitHeight: 40
            radius: 12
            color: button.primary ? Theme.blue : Theme.fill
            opacity: button.down ? 0.8 : button.primary || button.hovered ? 1 : 0.6
            border.width: button.visualFocus ? 2 : 0
            border.color: button.primary ? Theme.text : Theme.blue
        }
    }

    component IntroRow: RowLayout {
        id: row
        required property string title
        required property string symbol
        required property string body
        property color tint: view.accent
        Layout.fillWidth: true
        spacing: 14
        Rectangle {
            Layout.alignment: Qt.AlignTop
            implicitWidth: 40
            implicitHeight: 40
            radius: 12
            color: Qt.rgba(row.tint.r, row.tint.g, row.tint.b, Theme.dark ? 0.22 : 0.16)
            SymbolIcon {
                anchors.centerIn: parent
                name: row.symbol
                color: row.tint
                size: 22
            }
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 2
            Label {
                Layout.fillWidth: true
                visible: row.title.length > 0
                text: row.title
                color: Theme.text
                wrapMode: Text.Wrap
                font.pixelSize: Theme.size(16)
                font.weight: Font.Bold
            }
            Label {
                Layout.fillWidth: true
                text: row.body
                color: Theme.secondaryText
                wrapMode: Text.Wrap
                font.pixelSize: Theme.size(14)
            }
        }
    }
}
