// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import MerrinVale

// How often a forecast made some days ahead turns out right.
Rectangle {
    id: chart

    readonly property var rows: [
        { label: "5 DAYS OUT", caption: "right about 90% of the time", fraction: 0.9 },
        { label: "7 DAYS OUT", caption: "right about 80% of the time", fraction: 0.8 },
        { label: "10 DAYS OUT", caption: "about a coin flip", fraction: 0.5 }
    ]

    Layout.fillWidth: true
    implicitHeight: column.implicitHeight + 40
    radius: 16
    color: Theme.card
    border.color: Theme.separator

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 20
        spacing: 14
        Repeater {
            model: chart.rows
            BarRow {
                required property var modelData
                required property int index
                label: modelData.label
                caption: modelData.caption
                fraction: modelData.fraction
                kicker: false
                // Paler as the skill fades.
                barColor: index === 0 ? Theme.blue : index === 1 ? Qt.lighter(Theme.blue, 1.3) : Theme.amber
            }
        }
    }
}
