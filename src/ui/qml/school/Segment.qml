// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// One numbered segment of the lesson: its number ("01"), its title and what it holds, one under
// the other.
ColumnLayout {
    id: segment

    required property string number
    required property string title
    default property alias content: body.data

    spacing: 12

    Rectangle {
        Layout.fillWidth: true
        Layout.bottomMargin: 12
        implicitHeight: 1
        color: Theme.separator
    }
    Label {
        objectName: "segmentNumber"
        text: segment.number
        color: Theme.amberText
        font.pixelSize: Theme.size(15)
        font.weight: Font.Black
        font.letterSpacing: 1.2
    }
    Label {
        objectName: "segmentTitle"
        Layout.fillWidth: true
        text: segment.title
        color: Theme.text
        wrapMode: Text.Wrap
        lineHeight: 1.1
        font.pixelSize: Theme.size(20)
        font.weight: Font.Black
        font.letterSpacing: 0.5
        Accessible.role: Accessible.Heading
    }
    ColumnLayout {
        id: body
        Layout.fillWidth: true
        Layout.topMargin: 4
        spacing: 14
    }
}
