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
            SymbolButton {
                symbol: "graduationcap"
                label: "Weather School"
                onClicked: window.openSchool()
            }
            SymbolButton {
                symbol: "gearshape"
                label: "Settings"
                hint: "Settings (Ctrl+,)"
                onClicked: window.openSettings(false)
            }
        }
    }

    Shortcut {
        sequences: ["Ctrl+,"]
        onActivated: window.openSettings(false)
    }

    Shortcut {
        sequences: ["F5", "Ctrl+R"]
        onActivated: if (refreshButton.enabled) App.model.refreshNow()
    }

    Shortcut {
        sequences: ["Ctrl+F", "Ctrl+L"]
        onActivated: window.openSearch()
    }

    // Sends the question being typed (or, on a fresh conversation, the suggested one).
    Shortcut {
        sequences: ["Ctrl+Return", "Ctrl+Enter"]
        enabled: !window.welcomeOpen && !window.sheetOpen(searchLoader) && !window.sheetOpen(schoolLoader)
        onActivated: App.briefing.send()
    }

    // The settings window, at its top or at the voice section; not while onboarding is up.
    function openSettings(voice: bool) {
        if (window.welcomeOpen)
            return
        settingsLoader.active = true
        const settings = settingsLoader.item as SettingsWindow
        settings.showAt(voice)
    }

    function openSearch() {
        if (window.welcomeOpen)
            return
        window.openSheet(searchLoader)
    }

    function openSchool() {
        if (App.app.showWelcome)
            return
        window.openSheet(schoolLoader)
    }

    function openSheet(loader: Loader) {
        loader.active = true
        const sheet = loader.item as Popup
        sheet.open()
    }

    function sheetOpen(loader: Loader): bool {
        const sheet = loader.item as Popup
        return sheet !== null && sheet.opened
    }

    HomeScreen {
        anchors.fill: parent
        onSearchRequested: window.openSearch()
        onSchoolRequested: window.openSchool()
    }

    // A refresh in progress: a thin bar under the toolbar, the cards stay readable.
    ProgressBar {
        id: refreshBar
        objectName: "refreshProgress"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        height: 3
        z: 1
        visible: App.model.forecastLoading
        indeterminate: true
        Accessible.name: "Refreshing the forecast"
        background: Item {}
        contentItem: Item {
            clip: true
            Rectangle {
                width: refreshBar.width / 3
                height: refreshBar.height
                radius: height / 2
                color: Theme.blue
                NumberAnimation on x {
                    running: App.model.forecastLoading
                    loops: Animation.Infinite
                    from: -refreshBar.width / 3
                    to: refreshBar.width
                    duration: 1100
                }
            }
        }
    }

    // The sheets and the onboarding views are made the first time they are wanted, so that they
    // cost the start-up nothing; once made they stay.
    Loader {
        id: searchLoader
        active: false
        source: "LocationSearchSheet.qml"
    }

    Loader {
        id: schoolLoader
        active: false
        source: "WeatherSchoolSheet.qml"
    }

    // Onboarding on first run, and again when replayed from the settings window.
    property bool replayOnboarding: false
    readonly property bool welcomeOpen: App.app.showWelcome || window.replayOnboarding
    onWelcomeOpenChanged: if (welcomeOpen) welcomeLoader.active = true
    Loader {
        id: welcomeLoader
        active: false
        source: "WelcomeView.qml"
    }
    Binding {
        target: welcomeLoader.item
        property: "open"
        value: window.welcomeOpen
    }
    Connections {
        target: welcomeLoader.item
        function onDone() {
            if (window.replayOnboarding) {
                window.replayOnboarding = false
                App.model.refreshNow() // the key or local expertise may have changed
            }
            App.app.closeWelcome()
        }
    }

    // Once, over the first forecast after onboarding.
    readonly property bool voiceIntroOpen: App.settings.welcomed && !App.settings.seenVoiceIntro
                                           && !window.welcomeOpen && App.model.hasForecast
    // Made once the refresh is done and drawn, so that it holds back neither.
    AfterNextFrame {
        when: window.voiceIntroOpen && !App.model.forecastLoading && !App.model.briefingLoading
        onReady: voiceIntroLoader.active = true
    }
    Loader {
        id: voiceIntroLoader
        active: false
        source: "VoiceIntroView.qml"
    }
    Binding {
        target: voiceIntroLoader.item
        property: "open"
        value: window.voiceIntroOpen
    }
    Connections {
        target: voiceIntroLoader.item
        function onOpenSettings() { window.openSettings(true) }
    }

    // Made the first time it is opened, so that it costs the start-up nothing.
    Loader {
        id: settingsLoader
        active: false
        source: "SettingsWindow.qml"
    }
    Connections {
        target: settingsLoader.item
        function onReplayRequested() {
            window.replayOnboarding = true
            window.raise()
            window.requestActivate()
        }
    }

    Component.onCompleted: {
        welcomeLoader.active = window.welcomeOpen
        App.app.windowShown()
    }
}
