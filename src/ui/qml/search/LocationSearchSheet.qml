// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The place search: favourites and recent places until something is typed, then the matches
// as they come. Typing goes to the field, Up and Down move through the rows, Return picks and
// Escape closes.
Popup {
    id: sheet

    readonly property PlaceSearchViewModel search: App.search

    parent: Overlay.overlay
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    x: Math.round(((parent ? parent.width : width) - width) / 2)
    y: 24
    width: Math.min(520, (parent ? parent.width : 520) - 48)
    height: Math.min(560, (parent ? parent.height : 560) - 48)
    padding: 16
    background: Rectangle {
        radius: 18
        color: Theme.background
        border.color: Theme.separator
    }

    onAboutToShow: {
        sheet.search.reset()
        list.selectFirst()
        field.forceActiveFocus()
    }

    Connections {
        target: sheet.search
        function onChosen() { sheet.close() }
        // The first row is ready for Return whenever the rows change.
        function onRowsChanged() { selectFirstSoon.restart() }
    }

    // Selects the first row once the list has taken the new rows.
    Timer {
        id: selectFirstSoon
        interval: 0
        onTriggered: list.selectFirst()
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 12

        RowLayout {
            Layout.fillWidth: true
            spacing: 8

            AppTextField {
                id: field
                Layout.fillWidth: true
                placeholderText: sheet.search.placeholderText
                text: sheet.search.query
                color: Theme.text
                placeholderTextColor: Theme.tertiaryText
                font.pixelSize: Theme.size(16)
                leftPadding: 38
                selectByMouse: true
                label: "Search for a location"
                onTextEdited: sheet.search.query = text
                background: Rectangle {
                    implicitHeight: 42
                    radius: 12
                    color: Theme.card
                    border.color: field.activeFocus ? Theme.blue : Theme.separator
                    border.width: field.activeFocus ? 2 : 1
                }
                SymbolIcon {
                    anchors.left: parent.left
                    anchors.leftMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    name: "magnifyingglass"
                    size: 16
                    color: Theme.secondaryText
                }
                BusyIndicator {
                    anchors.right: parent.right
                    anchors.rightMargin: 6
                    anchors.verticalCenter: parent.verticalCenter
                    width: 28
                    height: 28
                    visible: sheet.search.searching
                    running: visible
                }

                Keys.onUpPressed: list.move(-1)
                Keys.onDownPressed: list.move(1)
                Keys.onReturnPressed: sheet.search.pick(list.currentIndex)
                Keys.onEnterPressed: sheet.search.pick(list.currentIndex)
            }
            AppButton {
                text: "Cancel"
                flat: true
                onClicked: sheet.close()
            }
        }

        ListView {
            id: list
            Layout.fillWidth: true
            Layout.fillHeight: true
            clip: true
            spacing: 2
            model: sheet.search.rows
            keyNavigationEnabled: false
            highlightMoveDuration: 0
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {
                Accessible.name: "Places"
            }

            function selectFirst() {
                currentIndex = count > 0 ? 0 : -1
                positionViewAtBeginning()
            }
            function move(step) {
                if (count === 0) return
                currentIndex = Math.max(0, Math.min(count - 1, currentIndex + step))
                positionViewAtIndex(currentIndex, ListView.Contain)
            }

            delegate: PlaceRow {
                width: ListView.view.width
                current: ListView.isCurrentItem
                onPicked: index => sheet.search.pick(index)
                onClearRequested: sheet.search.clearRecents()
            }

            Label {
                anchors.centerIn: parent
                width: parent.width - 32
                visible: list.count === 0 && text !== ""
                text: sheet.search.emptyText
                horizontalAlignment: Text.AlignHCenter
                color: Theme.secondaryText
                wrapMode: Text.Wrap
                font.pixelSize: Theme.size(15)
            }
        }
    }
}
