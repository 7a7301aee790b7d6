// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import MerrinVale

// The coverage words forecasters use and the slice of the area each one stands for.
Rectangle {
    id: table

    readonly property var rows: [
        { label: "10%", caption: "ISOLATED · A FEW", fraction: 0.10 },
        { label: "20%", caption: "SLIGHT CHANCE · WIDELY SCATTERED", fraction: 0.20 },
        { label: "30–50%", caption: "CHANCE · SCATTERED", fraction: 0.42 },
        { label: "60–70%", caption: "LIKELY · NUMEROUS", fraction: 0.65 },
        { label: "80–100%", caption: "NO QUALIFIER — JUST “RAIN”", fraction: 0.92 }
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
            model: table.rows
            BarRow {
                required property var modelData
                label: modelData.label
                caption: modelData.caption
                fraction: modelData.fraction
            }
        }
    }
}
