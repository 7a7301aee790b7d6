// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// Every hour of the forecast in a row that scrolls sideways (with the wheel, a drag, or the
// arrow keys once it has the focus): hour, symbol, temperature and chance of rain.
Rectangle {
    id: card

    required property var hours // hourCell rows

    readonly property real cellWidth: 58 * Math.max(1, Theme.textScale * 0.9)

    implicitHeight: flick.implicitHeight + 24
    radius: 18
    color: Theme.card
    border.color: activeFocus || keys.activeFocus ? Theme.blue : Theme.separator

    // What takes the keyboard focus and names the strip; the list itself never has the focus (a
    // list view hands it on to a cell, which has no name).
    Item {
        id: keys
        anchors.fill: flick
        activeFocusOnTab: true
        Accessible.role: Accessible.List
        Accessible.name: "Hourly forecast"
        Accessible.focusable: true

        function scrollBy(cells: int) {
            const end = Math.max(0, flick.contentWidth - flick.width)
            flick.contentX = Math.max(0, Math.min(end, flick.contentX + cells * card.cellWidth))
        }
        Keys.onLeftPressed: keys.scrollBy(-1)
        Keys.onRightPressed: keys.scrollBy(1)
        Keys.onPressed: event => {
            if (event.key === Qt.Key_PageDown) { keys.scrollBy(6); event.accepted = true }
            else if (event.key === Qt.Key_PageUp) { keys.scrollBy(-6); event.accepted = true }
            else if (event.key === Qt.Key_Home) { flick.contentX = 0; event.accepted = true }
            else if (event.key === Qt.Key_End) { keys.scrollBy(card.hours.length); event.accepted = true }
        }
    }

    // A ListView, so only the cells in sight (and a few beside them) are made: most of the 48
    // hours are never scrolled to.
    ListView {
        id: flick
        anchors.fill: parent
        anchors.margins: 12
        orientation: ListView.Horizontal
        implicitHeight: contentItem.childrenRect.height
        model: card.hours
        cacheBuffer: card.cellWidth * 4
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        keyNavigationEnabled: false
        ScrollBar.horizontal: ScrollBar {
            policy: ScrollBar.AsNeeded
            Accessible.name: "Hourly forecast"
        }

        delegate: ColumnLayout {
            id: cell
            required property hourCell modelData
            width: card.cellWidth
            spacing: 6
            Label {
                Layout.alignment: Qt.AlignHCenter
                text: cell.modelData.hour
                color: Theme.secondaryText
                font.pixelSize: Theme.size(12)
                font.weight: Font.Bold
            }
            WeatherIcon {
                Layout.alignment: Qt.AlignHCenter
                code: cell.modelData.code
                isDay: cell.modelData.isDay
                size: 26
            }
            Label {
                Layout.alignment: Qt.AlignHCenter
                text: cell.modelData.temperature
                color: Theme.text
                font.pixelSize: Theme.size(16)
                font.weight: Font.DemiBold
            }
            Label {
                Layout.alignment: Qt.AlignHCenter
                text: cell.modelData.chance
                color: Theme.dark ? "#4FB3E8" : Theme.blue
                font.pixelSize: Theme.size(12)
                font.weight: Font.DemiBold
            }
        }
    }
}
