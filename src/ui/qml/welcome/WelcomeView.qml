// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// Onboarding over the whole window: Merrin introduces herself, says where her briefings come
// from, takes the Anthropic key and offers the local-expertise search (or explains what is
// missing without a key). It closes only through its own buttons; Return presses the step's
// main button.
Popup {
    id: view

    property bool open: false
    // Onboarding ended: `welcomed` is set.
    signal done

    readonly property int step: flow.step
    // The accent for text and symbols: the dark theme's blue is a fill colour, too deep to read.
    readonly property color accent: Theme.dark ? "#5CB8E6" : Theme.blue

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

    WelcomeFlow {
        id: flow
        settings: App.settings
        onDone: view.done()
        onStepChanged: showing.restart()
    }

    // Once the new step is visible: a hidden item cannot take the focus.
    Timer {
        id: showing
        interval: 0
        onTriggered: view.stepShown()
    }

    onOpened: flow.begin()

    // The main button of the step on screen, for Return.
    function mainButton(): AppButton {
        switch (view.step) {
        case WelcomeFlow.Meet: return meetContinue
        case WelcomeFlow.Expertise: return expertiseContinue
        case WelcomeFlow.Key: return keyContinue
        default: return startButton
        }
    }

    // A new step slides in with a spring and takes the focus where typing or Return goes.
    function stepShown() {
        slide.restart()
        scroller.contentY = 0
        if (view.step === WelcomeFlow.Key)
            keyField.forceActiveFocus()
        else
            view.mainButton().forceActiveFocus()
    }

    function pressMain() {
        const button = view.mainButton()
        if (button.enabled)
            AccessibleActions.click(button)
    }

    // Return on any control that does not take it itself (the switch, a focused text).
    FocusScope {
        anchors.fill: parent
        focus: true
        Keys.onReturnPressed: view.pressMain()
        Keys.onEnterPressed: view.pressMain()

        // The top bar: back, or for a returning user on the key step, leave.
        Item {
            id: topBar
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: 12
            height: 40
            SymbolButton {
                objectName: "back"
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                visible: flow.canGoBack
                symbol: "chevron.left"
                label: "Back"
                onClicked: flow.back()
            }
            WelcomeButton {
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                visible: flow.returning && view.step === WelcomeFlow.Key
                text: "Not right now"
                onClicked: flow.finish()
            }
        }

        Flickable {
            id: scroller
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: topBar.bottom
            anchors.bottom: buttonBar.top
            clip: true
            contentHeight: Math.max(steps.implicitHeight + 32, height)
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {
                Accessible.name: "Welcome"
            }

            Item {
                id: steps
                width: Math.min(scroller.width - 48, 560)
                x: (scroller.width - width) / 2 + steps.offset
                y: 8
                implicitHeight: meet.visible ? meet.implicitHeight
                    : expertise.visible ? expertise.implicitHeight
                    : keyStep.visible ? keyStep.implicitHeight
                    : tune.visible ? tune.implicitHeight : noKey.visible ? noKey.implicitHeight : 0
                property real offset: 0

                // The spring of a step change: half a second, damped so that it barely overshoots.
                ParallelAnimation {
                    id: slide
                    NumberAnimation {
                        target: steps
                        property: "offset"
                        from: 36
                        to: 0
                        duration: 500
                        easing.type: Easing.OutBack
                        easing.overshoot: 0.6
                    }
                    NumberAnimation {
                        target: steps
                        property: "opacity"
                        from: 0
                        to: 1
                        duration: 300
                        easing.type: Easing.OutCubic
                    }
                }

                // 1. Meet Merrin.
                ColumnLayout {
                    id: meet
                    width: parent.width
                    visible: view.step === WelcomeFlow.Meet
                    spacing: 10
                    MerrinPortrait {
                        Layout.alignment: Qt.AlignHCenter
                        Layout.topMargin: -2
                        size: 88
                    }
                    Label {
                        Layout.alignment: Qt.AlignHCenter
                        text: "MERRIN VALE"
                        color: Theme.text
                        font.pixelSize: Theme.size(26)
                        font.weight: Font.Black
                        font.letterSpacing: 1.2
                    }
                    Kicker {
                        Layout.alignment: Qt.AlignHCenter
                        Layout.topMargin: -6
                        text: "YOUR PERSONAL METEOROLOGIST"
                        color: view.accent
                        size: 12
                    }
                    Label {
                        Layout.fillWidth: true
                        Layout.topMargin: 6
                        text: "“Hi, I’m Merrin Vale, professional meteorologist. I make it my business to know your area’s weather inside and out — its patterns, its quirks, what the local forecasters are watching. Every day I’ll have your briefing ready with my own read on what’s coming, and if you’re wondering anything about the weather, just ask me.”"
                        color: Theme.text
                        wrapMode: Text.Wrap
                        horizontalAlignment: Text.AlignHCenter
                        font.pixelSize: Theme.size(15)
                        font.italic: true
                    }
                    FeatureRow {
                        Layout.topMargin: 4
                        title: "The Briefing"
                        symbol: "person.wave.2.fill"
                        body: "Your forecast every day, in Merrin's voice — what's coming, when it turns, what matters."
                    }
                    FeatureRow {
                        title: "Ask Merrin"
                        symbol: "bubble.left.and.text.bubble.right.fill"
                        body: "Real questions, plain answers, grounded in the forecast data for exactly where you are."
                    }
                    FeatureRow {
                        title: "Severe weather"
                        symbol: "exclamationmark.triangle.fill"
                        tint: Theme.amber
                        body: "National Weather Service alerts arrive front and center, with notifications if you want them."
                    }
                }

                // 2. What makes Merrin different.
                ColumnLayout {
                    id: expertise
                    width: parent.width
                    visible: view.step === WelcomeFlow.Expertise
                    spacing: 14
                    Heading { text: "What makes Merrin different" }
                    Paragraph { text: "Most weather apps hand you the raw output of a computer model. Nobody looked at it. Nobody knows that fog sits in your valley until ten, or that storms usually fall apart before they cross the ridge." }
                    Paragraph { text: "Merrin starts somewhere else. Several times a day, meteorologists at your local National Weather Service office publish a Forecast Discussion — their own reasoning, in their own words. Which model they trust today. How confident they are. What could go wrong. It's written for other meteorologists, so almost nobody outside the field ever reads it." }
                    Paragraph { text: "Merrin does. She folds in severe-storm outlooks and any active alerts, then translates the lot into plain language. So instead of “60%”, you get to hear why." }
                    Panel {
                        Layout.topMargin: 4
                        RowLayout {
                            width: parent.width
                            spacing: 12
                            SymbolIcon {
                                Layout.alignment: Qt.AlignTop
                                name: "graduationcap.fill"
                                color: view.accent
                                size: 24
                            }
                            Label {
                                Layout.fillWidth: true
                                text: "Curious how forecasts really work? Merrin's Weather School is in the app any time — look for the mortarboard."
                                color: Theme.secondaryText
                                wrapMode: Text.Wrap
                                font.pixelSize: Theme.size(14)
                            }
                        }
                    }
                }

                // 3. The key.
                ColumnLayout {
                    id: keyStep
                    width: parent.width
                    visible: view.step === WelcomeFlow.Key
                    spacing: 12
                    Heading { text: "Add your API key" }
                    Label {
                        Layout.fillWidth: true
                        Layout.topMargin: -6
                        text: "Merrin runs on your own key"
                        color: view.accent
                        wrapMode: Text.Wrap
                        font.pixelSize: Theme.size(16)
                        font.weight: Font.DemiBold
                    }
                    Paragraph { text: "Merrin is powered by Claude, using your own Anthropic API key. Usage is billed by Anthropic to your account — typically pennies a day." }
                    Paragraph {
                        textFormat: Text.StyledText
                        text: App.settings.keyringAvailable
                            ? "Your key is stored in the <b>desktop keyring</b> and used only to talk to Anthropic. Without a key, the forecast still works — you just won't get Merrin's briefing or Ask Merrin."
                            : "No <b>desktop keyring</b> is running, so your key is kept only until Merrin Vale quits and used only to talk to Anthropic. Without a key, the forecast still works — you just won't get Merrin's briefing or Ask Merrin."
                    }
                    Kicker {
                        id: keyCaption
                        Layout.topMargin: 6
                        text: App.settings.hasApiKey ? "REPLACE YOUR API KEY" : "YOUR ANTHROPIC API KEY"
                    }
                    AppTextField {
                        id: keyField
                        Layout.fillWidth: true
                        Layout.topMargin: -6
                        label: keyCaption.text
                        echoMode: TextInput.Password
                        placeholderText: "sk-ant-…"
                        font.pixelSize: Theme.size(15)
                        color: Theme.text
                        placeholderTextColor: Theme.tertiaryText
                        background: Rectangle {
                            implicitHeight: 40
                            radius: 10
                            color: Theme.card
                            border.width: keyField.activeFocus ? 2 : 1
                            border.color: keyField.activeFocus ? Theme.blue : Theme.separator
                        }
                        // Return continues (before the field itself sees it, so it happens once).
                        Keys.onReturnPressed: view.pressMain()
                        Keys.onEnterPressed: view.pressMain()
                    }
                    Label {
                        Layout.fillWidth: true
                        visible: App.settings.hasApiKey
                        text: "A key is already saved — leave this blank to keep it."
                        color: Theme.secondaryText
                        wrapMode: Text.Wrap
                        font.pixelSize: Theme.size(13)
                    }
                    Panel {
                        Layout.topMargin: 6
                        ColumnLayout {
                            width: parent.width
                            spacing: 8
                            Label {
                                text: "Don't have a key?"
                                color: Theme.text
                                font.pixelSize: Theme.size(15)
                                font.weight: Font.Bold
                            }
                            Repeater {
                                model: ["Create an account on the Anthropic Console",
                                    "Add a small credit balance under Billing",
                                    "Create a key under Settings › API Keys and paste it here"]
                                delegate: RowLayout {
                                    id: line
                                    required property string modelData
                                    required property int index
                                    Layout.fillWidth: true
                                    spacing: 10
                                    Label {
                                        Layout.alignment: Qt.AlignTop
                                        text: (line.index + 1) + "."
                                        color: view.accent
                                        font.pixelSize: Theme.size(14)
                                        font.weight: Font.Bold
                                    }
                                    Label {
                                        Layout.fillWidth: true
                                        text: line.modelData
                                        color: Theme.secondaryText
                                        wrapMode: Text.Wrap
                                        font.pixelSize: Theme.size(14)
                                    }
                                }
                            }
                            LinkText {
                                Layout.topMargin: 4
                                text: "Open the Anthropic Console →"
                                color: view.accent
                                onClicked: Qt.openUrlExternally("https://console.anthropic.com/settings/keys")
                            }
                        }
                    }
                }

                // 4. Local expertise.
                ColumnLayout {
                    id: tune
                    width: parent.width
                    visible: view.step === WelcomeFlow.Tune
                    spacing: 14
                    Heading { text: "Want Merrin to go deeper?" }
                    Paragraph { text: "Merrin can also go looking for recent weather coverage from your area — local TV meteorologists, regional news — a few times a day, and fold what she finds into her briefings and answers." }
                    Paragraph { text: "It's the difference between a forecaster who reads the guidance and one who also knows what everybody in town is talking about." }
                    Panel {
                        Label {
                            width: parent.width
                            text: "Straight with you: this costs a little more than a plain briefing, because Merrin is doing extra searching on top of the forecast itself. Not dramatically more — but more. I think it earns its keep, and you can switch it off any time in Settings."
                            color: Theme.secondaryText
                            wrapMode: Text.Wrap
                            font.pixelSize: Theme.size(14)
                            font.italic: true
                        }
                    }
                    Panel {
                        RowLayout {
                            width: parent.width
                            spacing: 12
                            ColumnLayout {
                                Layout.fillWidth: true
                                spacing: 2
                                Label {
                                    Layout.fillWidth: true
                                    text: "Get more local expertise"
                                    color: Theme.text
                                    wrapMode: Text.Wrap
                                    font.pixelSize: Theme.size(16)
                                    font.weight: Font.DemiBold
                                }
                                Label {
                                    Layout.fillWidth: true
                                    text: App.settings.localExpertiseEnabled ? "Merrin will check local coverage"
                                                                             : "Merrin sticks to the forecast data"
                                    color: App.settings.localExpertiseEnabled ? view.accent : Theme.secondaryText
                                    wrapMode: Text.Wrap
                                    font.pixelSize: Theme.size(13)
                                }
                            }
                            AppSwitch {
                                id: expertiseSwitch
                                Accessible.name: "Get more local expertise"
                                checked: App.settings.localExpertiseEnabled
                                onToggled: App.settings.localExpertiseEnabled = expertiseSwitch.checked
                                indicator: Rectangle {
                                    implicitWidth: 46
                                    implicitHeight: 28
                                    x: expertiseSwitch.leftPadding
                                    y: (expertiseSwitch.height - height) / 2
                                    radius: height / 2
                                    color: expertiseSwitch.checked ? Theme.blue : Theme.fill
                                    border.width: expertiseSwitch.visualFocus ? 2 : 0
                                    border.color: view.accent
                                    Rectangle {
                                        x: expertiseSwitch.checked ? parent.width - width - 3 : 3
                                        y: 3
                                        width: parent.height - 6
                                        height: width
                                        radius: width / 2
                                        color: "#FFFFFF"
                                        Behavior on x { NumberAnimation { duration: 120 } }
                                    }
                                }
                            }
                        }
                    }
                }

                // 5. Without a key.
                ColumnLayout {
                    id: noKey
                    width: parent.width
                    visible: view.step === WelcomeFlow.NoKey
                    spacing: 14
                    Heading { text: "Starting without a key" }
                    Paragraph { text: "That's completely fine — the forecast itself still works in full. Current conditions, the hourly strip, the 7-day outlook, and National Weather Service alerts are all there." }
                    Paragraph { text: "What you won't get is Merrin herself. The Briefing and Ask Merrin both run through the Anthropic API, so they need a key. Add one any time in Settings and she'll be right here waiting." }
                }
            }
        }

        // The step's buttons, always in view.
        RowLayout {
            id: buttonBar
            anchors.bottom: parent.bottom
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottomMargin: 20
            width: steps.width
            spacing: 10
            Item { Layout.fillWidth: true }
            WelcomeButton {
                objectName: "skipKey"
                visible: view.step === WelcomeFlow.Key && !App.settings.hasApiKey
                text: "Skip for now"
                onClicked: flow.skipKey()
            }
            WelcomeButton {
                id: meetContinue
                visible: view.step === WelcomeFlow.Meet
                primary: true
                text: "Continue"
                onClicked: flow.next()
            }
            WelcomeButton {
                id: expertiseContinue
                visible: view.step === WelcomeFlow.Expertise
                primary: true
                text: "Continue"
                onClicked: flow.next()
            }
            WelcomeButton {
                id: keyContinue
                visible: view.step === WelcomeFlow.Key
                enabled: keyField.text.trim().length > 0 || App.settings.hasApiKey
                primary: true
                text: "Continue"
                onClicked: flow.continueWithKey(keyField.text)
            }
            WelcomeButton {
                id: startButton
                visible: view.step === WelcomeFlow.Tune || view.step === WelcomeFlow.NoKey
                primary: true
                text: "Start the forecast"
                onClicked: flow.finish()
            }
        }
    }

    // A step's button: the main one filled in the accent colour. Return presses the focused one.
    component WelcomeButton: AppButton {
        id: button
        property bool primary: false
        padding: 11
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
            opacity: button.enabled ? 1 : 0.55
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            Accessible.ignored: true
        }
        background: Rectangle {
            implicitHeight: 40
            radius: 12
            color: button.primary ? Theme.blue : Theme.fill
            opacity: !button.enabled ? 0.45 : button.down ? 0.8 : button.primary || button.hovered ? 1 : 0.6
            border.width: button.visualFocus ? 2 : 0
            border.color: button.primary ? Theme.text : Theme.blue
        }
    }

    component Heading: Label {
        Layout.fillWidth: true
        color: Theme.text
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(26)
        font.weight: Font.Black
    }

    component Paragraph: Label {
        Layout.fillWidth: true
        color: Theme.secondaryText
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(15)
        lineHeight: 1.12
    }

    // A card-coloured box around a hint.
    component Panel: Pane {
        Layout.fillWidth: true
        padding: 16
        background: Rectangle {
            radius: 14
            color: Theme.card
            border.color: Theme.separator
        }
    }

    component FeatureRow: RowLayout {
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
