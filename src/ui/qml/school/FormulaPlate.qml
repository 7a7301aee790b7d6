// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The formula behind a chance of rain: confidence C times coverage A, each with what it means.
Rectangle {
    id: plate

    Layout.fillWidth: true
    implicitHeight: row.implicitHeight + 40
    radius: 16
    color: Theme.card
    border.color: Theme.separator

    component Factor: ColumnLayout {
        id: factor
        required property string letter
        required property string caption
        required property string meaning
        Layout.fillWidth: true
        Layout.preferredWidth: 1
        spacing: 6
        Label {
            text: factor.letter
            color: Theme.amberText
            font.pixelSize: 40
            font.weight: Font.Black
        }
        Kicker {
            Layout.fillWidth: true
            text: factor.caption
            color: Theme.text
            wrapMode: Text.Wrap
            size: 12
        }
        Label {
            Layout.fillWidth: true
            text: factor.meaning
            color: Theme.secondaryText
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(14)
        }
    }

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.margins: 20
        spacing: 16

        Factor {
            letter: "C"
            caption: "CONFIDENCE (C)"
            meaning: "Rain happens somewhere in the area"
        }
        Label {
            Layout.alignment: Qt.AlignTop
            text: "×"
            color: Theme.tertiaryText
            font.pixelSize: 40
            font.weight: Font.Bold
        }
        Factor {
            letter: "A"
            caption: "COVERAGE (A)"
            meaning: "Share of the area that gets wet if it does"
        }
    }
}
