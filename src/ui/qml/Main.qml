// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

ApplicationWindow {
    id: window

    width: 900
    height: 640
    minimumWidth: 560
    minimumHeight: 420
    visible: true
    title: "Merrin Vale"
    color: Theme.background
    font.family: Theme.fontFamily
    font.weight: Font.Medium

    Binding {
        target: Theme
        property: "textScale"
        value: App.settings.fontScale
    }

    header: ToolBar {
        background: Rectangle { color: Theme.background }
        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: 16
            anchors.rightMargin: 8
            Label {
                text: "Merrin Vale"
                color: Theme.text
                font.pixelSize: Theme.size(17)
                font.weight: Font.Black
                Layout.fillWidth: true
            }
            ToolButton {
                id: refreshButton
                text: "↻"
                font.pixelSize: 20
                enabled: App.model.hasLocation && !App.model.forecastLoading
                onClicked: App.model.refreshNow()
                ToolTip.visible: hovered
                ToolTip.text: "Refresh (Ctrl+R)"
                Accessible.name: "Refresh"
            }
        }
    }

    Shortcut {
        sequences: [StandardKey.Refresh, "Ctrl+R"]
        onActivated: if (refreshButton.enabled) App.model.refreshNow()
    }

    HomeScreen {
        anchors.fill: parent
    }

    WelcomeSheet {
        open: App.app.showWelcome
        onContinueClicked: App.app.closeWelcome()
    }

    Component.onCompleted: App.app.windowShown()
}
