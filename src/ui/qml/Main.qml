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
            SymbolButton {
                symbol: "magnifyingglass"
                label: "Search"
                hint: "Search for a location (Ctrl+F)"
                onClicked: window.openSearch()
            }
            SymbolButton {
                symbol: "location"
                label: "Use my location"
                busy: App.model.locationLoading
                enabled: !App.model.locationLoading
                onClicked: App.model.useCurrentLocationNow()
            }
            SymbolButton {
                id: refreshButton
                symbol: "arrow.clockwise"
                label: "Refresh"
                hint: "Refresh (Ctrl+R)"
                enabled: App.model.hasLocation && !App.model.forecastLoading
                onClicked: App.model.refreshNow()
            }
        }
    }

    Shortcut {
        sequences: ["F5", "Ctrl+R"]
        onActivated: if (refreshButton.enabled) App.model.refreshNow()
    }

    Shortcut {
        sequences: ["Ctrl+F", "Ctrl+L"]
        onActivated: window.openSearch()
    }

    function openSearch() {
        if (!App.app.showWelcome)
            searchSheet.open()
    }

    HomeScreen {
        anchors.fill: parent
        onSearchRequested: window.openSearch()
    }

    LocationSearchSheet {
        id: searchSheet
    }

    WelcomeSheet {
        open: App.app.showWelcome
        onContinueClicked: App.app.closeWelcome()
    }

    Component.onCompleted: App.app.windowShown()
}
