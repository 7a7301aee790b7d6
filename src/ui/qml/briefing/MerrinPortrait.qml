// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import MerrinVale

// Merrin's portrait in a circle. Until the picture is there (or if it cannot be read) the circle
// alone stands in, in the accent colours.
Item {
    id: portrait

    property real size: 48
    // The smallest exported size that covers the circle's pixels: decoding the 512 px picture
    // for a 48 px circle costs start-up time and memory for nothing.
    readonly property int pixels: Math.ceil(size * Screen.devicePixelRatio)
    readonly property url source: pixels <= 64 ? "qrc:/images/merrinavatar-64.png"
        : pixels <= 128 ? "qrc:/images/merrinavatar-128.png"
        : pixels <= 256 ? "qrc:/images/merrinavatar-256.png" : "qrc:/images/merrinavatar.png"

    implicitWidth: size
    implicitHeight: size

    Rectangle {
        anchors.fill: parent
        radius: width / 2
        gradient: Gradient {
            GradientStop { position: 0; color: Theme.blue }
            GradientStop { position: 1; color: Theme.deepBlue }
        }
    }

    // The picture is round already (its corners are transparent); scaled smoothly from the
    // export that covers the circle.
    Image {
        anchors.fill: parent
        source: portrait.source
        sourceSize.width: portrait.pixels
        sourceSize.height: portrait.pixels
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
        asynchronous: true
    }

    Rectangle {
        anchors.fill: parent
        radius: width / 2
        color: "transparent"
        border.color: Theme.separator
        border.width: 1
    }
}
