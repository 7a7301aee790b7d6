// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// A row of the coverage table or the lead-time chart: a label, a caption, and a bar that fills
// `fraction` of the row's width.
ColumnLayout {
    id: row

    required property string label
    required property string caption
    required property real fraction
    property color barColor: Theme.blue
    // A caption in the small spaced capitals of the kickers, or as a plain phrase.
    property bool kicker: true

    Layout.fillWidth: true
    spacing: 6

    RowLayout {
        Layout.fillWidth: true
        spacing: 12
        Label {
            text: row.label
            color: Theme.text
            font.pixelSize: Theme.size(15)
            font.weight: Font.Black
        }
        Label {
            Layout.fillWidth: true
            text: row.caption
            color: Theme.secondaryText
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(row.kicker ? 11 : 14)
            font.weight: row.kicker ? Font.Bold : Font.Medium
            font.letterSpacing: row.kicker ? 0.8 : 0
        }
    }
    Rectangle {
        id: track
        Layout.fillWidth: true
        implicitHeight: 10
        radius: 5
        color: Theme.fill
        Rectangle {
            objectName: "bar"
            width: track.width * row.fraction
            height: parent.height
            radius: 5
            color: row.barColor
        }
    }
}
