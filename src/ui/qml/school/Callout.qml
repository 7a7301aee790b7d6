// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// A pull-quote: a line worth remembering, set larger beside an amber rule.
Item {
    id: callout

    required property string text

    Layout.fillWidth: true
    Layout.topMargin: 4
    Layout.bottomMargin: 4
    implicitHeight: quote.implicitHeight

    Rectangle {
        width: 4
        height: parent.height
        radius: 2
        color: Theme.amber
    }
    Label {
        id: quote
        x: 20
        width: parent.width - x
        text: callout.text
        color: Theme.text
        wrapMode: Text.Wrap
        lineHeight: 1.25
        font.pixelSize: Theme.size(19)
        font.weight: Font.Bold
    }
}
