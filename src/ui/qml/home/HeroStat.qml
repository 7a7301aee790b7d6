// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// One stat of the hero card: a symbol, a caption and the value under them.
ColumnLayout {
    id: stat

    required property string symbol
    required property string caption
    required property string value

    spacing: 4

    RowLayout {
        spacing: 5
        SymbolIcon {
            name: stat.symbol
            size: 14
            color: Theme.tertiaryText
        }
        Kicker {
            Layout.fillWidth: true
            text: stat.caption
            color: Theme.tertiaryText
            elide: Text.ElideRight
            size: 11
        }
    }
    Label {
        Layout.fillWidth: true
        text: stat.value
        color: Theme.text
        elide: Text.ElideRight
        font.pixelSize: Theme.size(16)
        font.weight: Font.DemiBold
    }
}
