// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// One group of the settings window: its title, its rows on a card, and a footer that explains
// them. The rows are the section's children.
ColumnLayout {
    id: section

    required property string title
    property string footer
    default property alias rows: box.data

    Layout.fillWidth: true
    spacing: 6

    Kicker {
        Layout.leftMargin: 4
        text: section.title
        size: 12
    }
    Rectangle {
        Layout.fillWidth: true
        implicitHeight: box.implicitHeight + 28
        radius: 14
        color: Theme.card
        border.color: Theme.separator
        ColumnLayout {
            id: box
            x: 16
            y: 14
            width: parent.width - 32
            spacing: 12
        }
    }
    Label {
        Layout.fillWidth: true
        Layout.leftMargin: 4
        Layout.rightMargin: 4
        visible: section.footer.length > 0
        text: section.footer
        color: Theme.tertiaryText
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(12)
        lineHeight: 1.1
    }
}
