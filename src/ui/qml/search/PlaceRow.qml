// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// One row of the place search: a favourite, a recent place or a search result, with the
// section heading above the first row of its section.
Item {
    id: row

    required property var modelData
    required property int index
    property bool current: false

    signal picked(int index)
    signal clearRequested

    readonly property string kind: modelData.kind
    readonly property string header: modelData.header

    implicitHeight: column.implicitHeight

    ColumnLayout {
        id: column
        width: parent.width
        spacing: 0

        RowLayout {
            Layout.fillWidth: true
            Layout.topMargin: row.index === 0 ? 4 : 14
            Layout.bottomMargin: 4
            Layout.leftMargin: 12
            Layout.rightMargin: 6
            visible: row.header !== ""
            spacing: 6

            SymbolIcon {
                visible: row.kind === "favorite"
                name: "star.fill"
                size: 13
                color: Theme.amber
            }
            Kicker {
                Layout.fillWidth: true
                text: row.header.toUpperCase()
                color: Theme.tertiaryText
                size: 11
            }
            AppButton {
                visible: row.kind === "recent"
                text: "Clear"
                flat: true
                font.pixelSize: Theme.size(12)
                Accessible.name: "Clear recent places"
                onClicked: row.clearRequested()
            }
        }

        AppItemDelegate {
            id: delegate
            Layout.fillWidth: true
            highlighted: row.current
            Accessible.name: row.modelData.label
            onClicked: row.picked(row.index)
            background: Rectangle {
                radius: 10
                color: delegate.highlighted ? Theme.fill : delegate.hovered ? Theme.separator : "transparent"
            }
            contentItem: RowLayout {
                spacing: 10
                SymbolIcon {
                    name: row.kind === "recent" ? "clock.arrow.circlepath"
                        : row.kind === "favorite" ? "star.fill" : "location"
                    size: 16
                    color: row.kind === "favorite" ? Theme.amber : Theme.secondaryText
                }
                Label {
                    Layout.fillWidth: true
                    text: row.modelData.label
                    color: Theme.text
                    elide: Text.ElideRight
                    font.pixelSize: Theme.size(15)
                }
            }
        }
    }
}
