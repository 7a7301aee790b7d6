// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// One active alert: its caption and event; a click (or Space, Return, a screen reader's press)
// shows or hides what the alert says and when it begins and ends. Extreme and severe alerts are
// filled red, the others outlined amber.
Rectangle {
    id: banner

    required property alertRow alert
    required property string caption
    required property string onsetCaption
    required property string endsCaption
    property bool expanded: false

    readonly property color alertRed: Theme.dark ? "#B3261E" : "#C62828"
    readonly property color foreground: alert.strong ? "#FFFFFF" : Theme.text
    readonly property color accent: alert.strong ? "#FFFFFF" : (Theme.dark ? Theme.amber : "#9A6B00")

    implicitHeight: column.implicitHeight
    radius: 14
    color: alert.strong ? alertRed : Qt.rgba(Theme.amber.r, Theme.amber.g, Theme.amber.b, 0.14)
    border.color: alert.strong ? alertRed : Theme.amber

    ColumnLayout {
        id: column
        width: parent.width
        spacing: 0

        AppButton {
            id: header
            Layout.fillWidth: true
            flat: true
            padding: 14
            Accessible.name: banner.caption + ": " + banner.alert.event
            Accessible.description: banner.expanded ? "Hide the details" : "Show the details"
            onClicked: banner.expanded = !banner.expanded
            Keys.onReturnPressed: AccessibleActions.click(header)
            Keys.onEnterPressed: AccessibleActions.click(header)

            background: Rectangle {
                radius: banner.radius
                color: banner.foreground
                opacity: header.down ? 0.16 : header.hovered || header.visualFocus ? 0.08 : 0
                border.width: header.visualFocus ? 2 : 0
                border.color: banner.foreground
            }
            contentItem: RowLayout {
                spacing: 10
                SymbolIcon {
                    Layout.alignment: Qt.AlignVCenter
                    name: "exclamationmark.triangle.fill"
                    size: 22
                    color: banner.accent
                }
                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 2
                    Kicker {
                        Layout.fillWidth: true
                        Accessible.ignored: true
                        text: banner.caption
                        color: banner.accent
                        size: 11
                    }
                    Label {
                        Layout.fillWidth: true
                        Accessible.ignored: true
                        text: banner.alert.event
                        color: banner.foreground
                        wrapMode: Text.Wrap
                        font.pixelSize: Theme.size(16)
                        font.weight: Font.Bold
                    }
                }
                SymbolIcon {
                    Layout.alignment: Qt.AlignVCenter
                    name: "chevron.right"
                    size: 16
                    color: banner.foreground
                    rotation: banner.expanded ? 90 : 0
                    Behavior on rotation { NumberAnimation { duration: 150 } }
                }
            }
        }

        // What the alert says, made when it is first shown: the texts are long, and most
        // alerts are never opened.
        Loader {
            id: details
            Layout.fillWidth: true
            Layout.leftMargin: 14
            Layout.rightMargin: 14
            Layout.bottomMargin: 14
            visible: banner.expanded
            active: banner.expanded
            Component.onCompleted: details.setSource("AlertDetails.qml", { banner: banner })
        }
    }
}
