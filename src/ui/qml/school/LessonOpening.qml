// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The lesson's opening: Merrin (her portrait opens her biography), the title and her invitation.
ColumnLayout {
    id: opening

    Layout.fillWidth: true
    spacing: 16

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
            onClicked: bio.visible ? bio.close() : bio.open()
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
                text: "METEOROLOGIST"
                color: Theme.dark ? Qt.lighter(Theme.blue, 1.7) : Theme.blue
                size: 11
            }
        }
    }

    Label {
        objectName: "lessonTitle"
        Layout.fillWidth: true
        Layout.topMargin: 4
        text: "Seven things I wish everyone knew about forecasts"
        color: Theme.text
        wrapMode: Text.Wrap
        lineHeight: 1.05
        font.pixelSize: 30
        font.weight: Font.Black
        Accessible.role: Accessible.Heading
    }

    BodyText {
        markdown: "Pull up a chair. Every week people ask me the same handful of questions: what 40% really means, why the app said rain and the sun came out, why I won't just tell them whether to cancel the barbecue. They're good questions, so let's sit down with them properly, one at a time."
    }
    BodyText {
        markdown: "I'm not going to water the science down. You don't need equations to understand how a forecast gets made, but you deserve the real explanation, not a cartoon of it. Seven short lessons, a couple of things to play with, and you'll read a forecast the way forecasters do."
    }

    MerrinBioView {
        id: bio
    }
}
