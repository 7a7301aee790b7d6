// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The home screen's cards below the first screenful: the hours, the week, Weather School, a
// forecast error, and the credits.
ColumnLayout {
    id: cards

    signal schoolRequested

    spacing: 16

    HourlyStrip {
        objectName: "hourlyStrip"
        Layout.fillWidth: true
        Layout.leftMargin: 16
        Layout.rightMargin: 16
        hours: App.home.hourly
    }

    SevenDayOutlook {
        objectName: "sevenDayOutlook"
        Layout.fillWidth: true
        Layout.leftMargin: 16
        Layout.rightMargin: 16
        title: App.home.outlookTitle
        days: App.home.daily
    }

    WeatherSchoolCard {
        objectName: "weatherSchoolCard"
        Layout.fillWidth: true
        Layout.leftMargin: 16
        Layout.rightMargin: 16
        onClicked: cards.schoolRequested()
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
        credits: App.home.credits
    }
}
