// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// What the home screen shows while there is nothing to show yet.
Item {
    id: view

    required property int state
    required property string message
    required property string detail
    signal retry
    signal searchRequested

    readonly property bool loading: state === HomeViewModel.FindingLocation || state === HomeViewModel.LoadingForecast

    ColumnLayout {
        anchors.centerIn: parent
        width: Math.min(parent.width - 48, 420)
        spacing: 14

        BusyIndicator {
            Layout.alignment: Qt.AlignHCenter
            visible: view.loading
            running: visible
        }
        Label {
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: view.message
            color: Theme.text
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(view.loading ? 15 : 19)
            font.weight: view.loading ? Font.Medium : Font.Bold
        }
        Label {
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            visible: view.detail !== "" && !view.loading
            text: view.detail
            color: Theme.secondaryText
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(13)
        }
        AppButton {
            Layout.alignment: Qt.AlignHCenter
            visible: view.state === HomeViewModel.Failed
            text: "Retry"
            onClicked: view.retry()
        }
        AppButton {
            id: searchButton
            Layout.alignment: Qt.AlignHCenter
            visible: view.state === HomeViewModel.NoLocation
            text: "Search for a location"
            padding: 12
            leftPadding: 18
            rightPadding: 18
            font.pixelSize: Theme.size(14)
            font.weight: Font.DemiBold
            onClicked: view.searchRequested()
            contentItem: Label {
                Accessible.ignored: true
                text: searchButton.text
                font: searchButton.font
                color: "white"
                horizontalAlignment: Text.AlignHCenter
            }
            background: Rectangle {
                radius: 12
                color: searchButton.down ? Theme.deepBlue : Theme.blue
            }
        }
    }
}
