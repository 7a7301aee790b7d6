// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The three steps to a Google AI Studio key, each number in a small filled circle, and where to
// hear the voices.
ColumnLayout {
    id: guide

    Layout.fillWidth: true
    spacing: 12

    Step {
        number: 1
        title: "Get a key from Google AI Studio"
        body: "Sign in with your Google account and press Create API key. There's a free tier, and nothing to set up beyond this."
        SettingsButton {
            Layout.topMargin: 4
            text: "Get a key"
            onClicked: Qt.openUrlExternally("https://aistudio.google.com/apikey")
        }
    }
    Step {
        number: 2
        title: "Paste it above"
    }
    Step {
        number: 3
        title: "That's it — Merrin will use her studio voice from the next briefing on."
    }
    LinkText {
        Layout.leftMargin: 34
        text: "Hear the voices"
        color: Theme.dark ? "#5CB8E6" : Theme.blue
        onClicked: Qt.openUrlExternally("https://aistudio.google.com/generate-speech")
    }

    component Step: RowLayout {
        id: step
        required property int number
        required property string title
        property string body
        default property alias extra: details.data
        Layout.fillWidth: true
        spacing: 10
        Rectangle {
            Layout.alignment: Qt.AlignTop
            implicitWidth: 24
            implicitHeight: 24
            radius: 12
            color: Theme.blue
            Label {
                anchors.centerIn: parent
                text: step.number
                color: "#FFFFFF"
                font.pixelSize: 13
                font.weight: Font.Bold
            }
        }
        ColumnLayout {
            id: details
            Layout.fillWidth: true
            spacing: 2
            Label {
                Layout.fillWidth: true
                text: step.title
                color: Theme.text
                wrapMode: Text.Wrap
                font.pixelSize: Theme.size(14)
                font.weight: Font.DemiBold
            }
            Label {
                Layout.fillWidth: true
                visible: step.body.length > 0
                text: step.body
                color: Theme.secondaryText
                wrapMode: Text.Wrap
                font.pixelSize: Theme.size(13)
            }
        }
    }
}
