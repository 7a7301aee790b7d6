// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import MerrinVale

ApplicationWindow {
    id: window

    width: 900
    height: 640
    minimumWidth: 600
    minimumHeight: 480
    visible: true
    title: "Merrin Vale"
    color: Theme.background
    font.family: Theme.fontFamily

    Label {
        anchors.centerIn: parent
        text: "Merrin Vale"
        color: Theme.text
        font.pixelSize: 34
        font.weight: Font.Bold
    }
}
