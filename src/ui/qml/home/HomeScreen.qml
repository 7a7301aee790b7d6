// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The home screen: a status view until there is a forecast, then the cards.
Item {
    id: screen

    readonly property var home: App.home
    signal searchRequested
    signal schoolRequested

    StatusView {
        anchors.fill: parent
        visible: screen.home.state !== HomeViewModel.Cards
        state: screen.home.state
        message: screen.home.stateMessage
        detail: screen.home.errorDetail
        onRetry: App.model.refreshNow()
        onSearchRequested: screen.searchRequested()
    }

    // A place chosen since the look-up failed makes its error old news.
    Connections {
        target: App.model
        function onLocationChanged() { locationBanner.dismissed = true }
    }

    // The keyboard's focus moving to a control below or above the visible part of the cards
    // scrolls it into view.
    Connections {
        target: screen.Window.window
        function onActiveFocusItemChanged() {
            const window = screen.Window.window
            const flick = scroll.contentItem as Flickable
            const item = window ? window.activeFocusItem : null
            if (!item || !flick || !scroll.visible)
                return
            let inside = item.parent
            while (inside && inside !== column)
                inside = inside.parent
            if (!inside)
                return
            const top = item.mapToItem(column, 0, 0).y
            const bottom = top + item.height
            if (top < flick.contentY)
                flick.contentY = Math.max(0, top - 16)
            else if (bottom > flick.contentY + flick.height)
                flick.contentY = Math.min(Math.max(0, flick.contentHeight - flick.height), bottom - flick.height + 16)
        }
    }

    // The cards below the first screenful are made once the refresh has settled and been drawn
    // (or a second after the first cards show, when the briefing takes its time), so that they
    // hold back neither the first cards nor the briefing.
    readonly property bool showsCards: screen.home.state === HomeViewModel.Cards
    property bool waitedForRefresh: false
    Timer {
        running: screen.showsCards && !screen.waitedForRefresh
        interval: 1000
        onTriggered: screen.waitedForRefresh = true
    }
    AfterNextFrame {
        when: screen.showsCards
              && (screen.waitedForRefresh || (!App.model.forecastLoading && !App.model.briefingLoading))
        onReady: laterCards.active = true
    }

    ScrollView {
        id: scroll
        anchors.fill: parent
        visible: screen.home.state === HomeViewModel.Cards
        contentWidth: availableWidth
        // The cards never scroll sideways; the vertical bar is the style's, with a name.
        ScrollBar.horizontal.policy: ScrollBar.AlwaysOff
        ScrollBar.vertical: ScrollBar {
            parent: scroll
            x: scroll.mirrored ? 0 : scroll.width - width
            y: scroll.topPadding
            height: scroll.availableHeight
            Accessible.name: "Forecast"
        }

        // On a wide window the cards keep a readable width and stand in the middle.
        ColumnLayout {
            id: column
            width: Math.min(parent.width, 880)
            x: (parent.width - width) / 2
            spacing: 16

            // The gap above the first card, whichever card that is.
            Item {
                implicitHeight: 0
            }

            // A failed look-up of the device's place while another place's forecast is shown.
            ErrorBanner {
                id: locationBanner
                Layout.fillWidth: true
                Layout.leftMargin: 16
                Layout.rightMargin: 16
                message: App.model.locationError
            }

            Repeater {
                model: screen.home.alerts
                AlertBanner {
                    required property alertRow modelData
                    objectName: "alertBanner"
                    Layout.fillWidth: true
                    Layout.leftMargin: 16
                    Layout.rightMargin: 16
                    alert: modelData
                    caption: screen.home.alertCaption
                    onsetCaption: screen.home.onsetCaption
                    endsCaption: screen.home.endsCaption
                }
            }

            NowcastBanner {
                objectName: "nowcastBanner"
                Layout.fillWidth: true
                Layout.leftMargin: 16
                Layout.rightMargin: 16
                visible: screen.home.hasNowcast
                summary: screen.home.nowcastSummary
                bars: screen.home.nowcastBars
                startLabel: screen.home.nowcastStartLabel
                endLabel: screen.home.nowcastEndLabel
                credit: screen.home.nowcastCredit
            }

            HeroCard {
                objectName: "heroCard"
                Layout.fillWidth: true
                Layout.leftMargin: 16
                Layout.rightMargin: 16
                placeLabel: screen.home.placeLabel
                temperature: screen.home.temperature
                headline: screen.home.headline
                code: screen.home.currentCode
                isDay: screen.home.currentIsDay
                feelsLike: screen.home.feelsLike
                isFavorite: screen.home.isFavorite
                stats: screen.home.stats
                onFavoriteToggled: screen.home.toggleFavorite()
            }

            BriefingCard {
                objectName: "briefingCard"
                Layout.fillWidth: true
                Layout.leftMargin: 16
                Layout.rightMargin: 16
            }

            // The cards below the first screenful come once the first cards are on the screen.
            Loader {
                id: laterCards
                objectName: "laterCards"
                Layout.fillWidth: true
                active: false
                source: "LaterCards.qml"
            }
            Connections {
                target: laterCards.item
                function onSchoolRequested() { screen.schoolRequested() }
            }
        }
    }
}
