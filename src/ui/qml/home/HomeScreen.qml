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

        ColumnLayout {
            width: parent.width
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

            HourlyStrip {
                objectName: "hourlyStrip"
                Layout.fillWidth: true
                Layout.leftMargin: 16
                Layout.rightMargin: 16
                hours: screen.home.hourly
            }

            SevenDayOutlook {
                objectName: "sevenDayOutlook"
                Layout.fillWidth: true
                Layout.leftMargin: 16
                Layout.rightMargin: 16
                title: screen.home.outlookTitle
                days: screen.home.daily
            }

            Label {
                Layout.fillWidth: true
                Layout.leftMargin: 16
                Layout.rightMargin: 16
                visible: App.model.forecastError !== ""
                text: App.model.forecastError
                color: Theme.amber
                wrapMode: Text.Wrap
                font.pixelSize: Theme.size(13)
            }

            WeatherAttributionFooter {
                objectName: "attributionFooter"
                Layout.fillWidth: true
                Layout.maximumWidth: Infinity // its centred lines would cap it
                Layout.bottomMargin: 20
                credits: screen.home.credits
            }
        }
    }
}
