// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The settings window: units, text size, the two API keys with their options, playing the
// briefing from anywhere, notifications, the introduction and credits. Every control writes its
// setting at once; Escape closes the window.
ApplicationWindow {
    id: window

    // "Replay Merrin's introduction" was pressed: the main window shows it again.
    signal replayRequested

    readonly property color accent: Theme.dark ? "#5CB8E6" : Theme.blue

    objectName: "settingsWindow"
    title: "Settings"
    width: 600
    height: 720
    minimumWidth: 460
    minimumHeight: 400
    color: Theme.background
    font.family: Theme.fontFamily
    font.weight: Font.Medium

    // Shows the window, raised, at its top or at the voice section.
    function showAt(voice: bool) {
        window.show()
        window.raise()
        window.requestActivate()
        scroller.contentY = 0
        if (voice)
            voiceSoon.restart()
    }

    // Once the sections are laid out.
    Timer {
        id: voiceSoon
        interval: 0
        onTriggered: window.showVoice()
    }

    function showVoice() {
        scroller.contentY = Math.min(column.y + voiceSection.y - 12, Math.max(0, scroller.contentHeight - scroller.height))
        voiceKey.focusField()
    }

    SettingsViewModel {
        id: actions
        model: App.model
    }

    Shortcut {
        sequences: ["Escape"]
        onActivated: window.close()
    }

    // The focused control is scrolled into view.
    onActiveFocusItemChanged: {
        const item = window.activeFocusItem
        if (!item || !window.visible)
            return
        let inside = item.parent
        while (inside && inside !== column)
            inside = inside.parent
        if (!inside)
            return
        const top = item.mapToItem(column, 0, 0).y
        const bottom = top + item.height
        if (top < scroller.contentY)
            scroller.contentY = Math.max(0, top - 40)
        else if (bottom > scroller.contentY + scroller.height)
            scroller.contentY = Math.min(Math.max(0, scroller.contentHeight - scroller.height), bottom - scroller.height + 40)
    }

    Flickable {
        id: scroller
        anchors.fill: parent
        contentHeight: column.implicitHeight + 48
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        ScrollBar.vertical: ScrollBar {
            Accessible.name: "Settings"
        }

        ColumnLayout {
            id: column
            x: (scroller.width - width) / 2
            y: 24
            width: Math.min(scroller.width - 48, 560)
            spacing: 26

            SettingsSection {
                title: "Units"
                ChoiceRow {
                    title: "Temperature"
                    choices: [{ text: "Fahrenheit (°F)", value: true }, { text: "Celsius (°C)", value: false }]
                    value: App.settings.useFahrenheit
                    onChosen: value => actions.setUseFahrenheit(value)
                }
                ChoiceRow {
                    title: "Wind speed"
                    choices: [{ text: "mph", value: true }, { text: "km/h", value: false }]
                    value: App.settings.useMph
                    onChosen: value => actions.setUseMph(value)
                }
            }

            SettingsSection {
                title: "Appearance"
                footer: "Scales Merrin's briefing, answers, and labels. The big temperature stays as designed."
                ChoiceRow {
                    title: "Text size"
                    choices: [{ text: "Standard", value: 1.0 }, { text: "Large", value: 1.15 },
                              { text: "Extra Large", value: 1.3 }]
                    value: App.settings.fontScale
                    onChosen: value => App.settings.fontScale = value
                }
            }

            SettingsSection {
                title: "Anthropic API"
                footer: "Powers Merrin's briefing and Ask Merrin. "
                        + (App.settings.keyringAvailable ? "Stored in your desktop keyring; used only to talk to Anthropic. "
                                                         : "Kept only until Merrin Vale quits, not in a desktop keyring; used only to talk to Anthropic. ")
                        + "Local expertise has Merrin search recent coverage from local TV meteorologists and news a few times a day and fold it into her briefings and answers — it uses slightly more API credit."
                KeyRows {
                    saved: App.settings.hasApiKey
                    placeholder: "sk-ant-…"
                    problem: actions.apiKeyProblem
                    onSave: draft => actions.saveApiKey(draft)
                    onRemove: actions.removeApiKey()
                }
                LinkText {
                    text: "Open the Anthropic Console →"
                    color: window.accent
                    onClicked: Qt.openUrlExternally("https://console.anthropic.com/settings/keys")
                }
                SettingsToggle {
                    title: "Get more local expertise"
                    checked: App.settings.localExpertiseEnabled
                    onToggled: checked => actions.setLocalExpertiseEnabled(checked)
                }
            }

            SettingsSection {
                id: voiceSection
                title: "Merrin's Voice"
                footer: "Merrin can always read your briefing aloud using your device's built-in voice. A Google AI Studio key gives her a real broadcast voice instead — it takes about a minute to set up and has a free tier.\n\nPreparing audio ahead of time has Merrin record each new briefing as it arrives, so it plays the moment you press Listen or play it from your launcher. It uses a little more of your Google quota, since some briefings get recorded and never played."
                KeyRows {
                    id: voiceKey
                    saved: App.settings.hasGoogleApiKey
                    placeholder: "AIza…"
                    problem: actions.googleKeyProblem
                    onSave: draft => actions.saveGoogleApiKey(draft)
                    onRemove: actions.removeGoogleApiKey()
                }
                SettingsToggle {
                    title: "Prepare audio ahead of time"
                    checked: App.settings.preloadVoice
                    onToggled: checked => App.settings.preloadVoice = checked
                }
                Disclosure {
                    id: howTo
                    text: "How to get a key"
                }
                GoogleKeyGuide {
                    visible: howTo.checked
                }
            }

            SettingsSection {
                title: "Play from anywhere"
                footer: "Merrin starts talking without opening the window, so it works from any workspace, on headphones, and while you're busy in another app."
                PlayRow {
                    symbol: "square.grid.2x2"
                    text: "Right-click Merrin Vale in your launcher and choose Play Weather Briefing"
                }
                PlayRow {
                    symbol: "terminal"
                    text: "Run merrin-vale --play-briefing, or bind it to a keyboard shortcut"
                }
            }

            NotificationsSection {
                viewModel: actions
            }

            SettingsSection {
                title: "Introduction"
                footer: "Walks through Merrin's introduction again, including the local expertise option. Nothing is reset — your key and settings stay as they are."
                SettingsButton {
                    text: "Replay Merrin's introduction"
                    onClicked: {
                        window.close()
                        window.replayRequested()
                    }
                }
            }

            CreditsSection {}
        }
    }

    component PlayRow: RowLayout {
        id: play
        required property string symbol
        required property string text
        Layout.fillWidth: true
        spacing: 12
        SymbolIcon {
            Layout.alignment: Qt.AlignTop
            name: play.symbol
            color: window.accent
            size: 22
        }
        Label {
            Layout.fillWidth: true
            text: play.text
            color: Theme.text
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(14)
        }
    }
}
