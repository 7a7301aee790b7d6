// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import MerrinVale

// A symbol of the design by its name ("magnifyingglass", "star.fill", "cloud.rain.fill"), drawn
// from the bundled icons that IconTable maps the names to. Interface symbols take `color`; with
// `multicolor` a weather symbol keeps the weather icon's own colours.
Item {
    id: icon

    property string name
    property color color: Theme.text
    property real size: 18
    property bool multicolor: false
    // The image's loading status (Image.Ready once it shows).
    readonly property alias status: image.status

    implicitWidth: size
    implicitHeight: size

    Image {
        id: image
        anchors.fill: parent
        sourceSize.width: Math.ceil(width)
        sourceSize.height: Math.ceil(height)
        fillMode: Image.PreserveAspectFit
        smooth: true
        // Drawn from the SVG off the main thread: a screen shows dozens of them at once.
        asynchronous: true
        source: IconTable.source(icon.name, icon.color, icon.multicolor)
    }
}
