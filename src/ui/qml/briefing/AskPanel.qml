// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// Follow-up questions to Merrin: the conversation, the last error and the field with its send
// button. Return sends (a line break that arrives otherwise, pasted, sends too); nothing is sent
// while an answer is on its way, and the typed text then stays.
ColumnLayout {
    id: panel

    readonly property BriefingViewModel briefing: App.briefing
    readonly property color alertRed: Theme.alertRed

    spacing: 12

    Connections {
        target: panel.briefing
        function onSent() { field.focus = false }
    }

    RowLayout {
        Layout.fillWidth: true
        Kicker {
            Layout.fillWidth: true
            text: "ASK MERRIN"
            color: Theme.dark ? Qt.lighter(Theme.blue, 1.7) : Theme.blue
            size: 11
        }
        LinkText {
            visible: panel.briefing.hasExchange || App.model.askError !== ""
            text: "New conversation"
            font.pixelSize: Theme.size(13)
            onClicked: panel.briefing.clearConversation()
        }
    }

    Repeater {
        model: panel.briefing.askHistory
        delegate: QaExchange {
            required property var modelData
            Layout.fillWidth: true
            question: modelData.question
            answer: modelData.answer
        }
    }

    Label {
        Layout.fillWidth: true
        visible: App.model.askError !== ""
        text: App.model.askError
        color: panel.alertRed
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(13)
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 8

        TextArea {
            id: field
            objectName: "askField"
            Layout.fillWidth: true
            text: panel.briefing.question
            placeholderText: panel.briefing.placeholder
            placeholderTextColor: Theme.tertiaryText
            color: Theme.text
            wrapMode: TextEdit.Wrap
            font.pixelSize: Theme.size(15)
            leftPadding: 12
            rightPadding: 12
            topPadding: 8
            bottomPadding: 8
            Accessible.name: "Question for Merrin"
            Accessible.description: placeholderText
            background: Rectangle {
                radius: 10
                color: Theme.dark ? Qt.rgba(1, 1, 1, 0.06) : Theme.background
                border.color: field.activeFocus ? Theme.blue : Theme.separator
            }
            onTextChanged: if (text !== panel.briefing.question) panel.briefing.question = text
            // Return (with or without a modifier) sends instead of starting a line; Tab moves on.
            Keys.onReturnPressed: panel.briefing.send()
            Keys.onEnterPressed: panel.briefing.send()
            Keys.onTabPressed: field.nextItemInFocusChain(true).forceActiveFocus(Qt.TabFocusReason)
            Keys.onBacktabPressed: field.nextItemInFocusChain(false).forceActiveFocus(Qt.BacktabFocusReason)
        }

        AppButton {
            id: sendButton
            objectName: "askSend"
            Layout.alignment: Qt.AlignBottom
            text: "Send"
            implicitWidth: 32
            implicitHeight: 32
            padding: 0
            ToolTip.visible: hovered
            ToolTip.delay: 500
            ToolTip.text: "Send (Ctrl+Enter)"
            onClicked: panel.briefing.send()
            background: Rectangle {
                radius: 10
                color: sendButton.down ? Theme.deepBlue : Theme.blue
                opacity: App.model.askLoading ? 0.45 : 1
                border.width: sendButton.visualFocus ? 2 : 0
                border.color: Theme.text
            }
            contentItem: Item {
                SymbolIcon {
                    anchors.centerIn: parent
                    name: "arrow.up"
                    size: 18
                    color: "white"
                }
            }
        }
    }
}
