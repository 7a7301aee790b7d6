// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// Weather School: Merrin's lesson on reading a forecast, one long page over the main window.
// The text keeps a readable line length (about 70 characters, whatever the text size); Page Up,
// Page Down, the arrows, Home and End scroll it, Tab goes through its controls (the page follows
// the focus) and Escape closes it.
Popup {
    id: sheet

    parent: Overlay.overlay
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    x: Math.round(((parent ? parent.width : width) - width) / 2)
    y: Math.round(((parent ? parent.height : height) - height) / 2)
    width: Math.min(780, (parent ? parent.width : 780) - 32)
    height: (parent ? parent.height : 640) - 32
    padding: 0
    background: Rectangle {
        radius: 18
        color: Theme.background
        border.color: Theme.separator
    }

    // The home screen dims behind the lesson.
    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, Theme.dark ? 0.55 : 0.35)
    }

    onOpened: {
        scroll.flick.contentY = 0
        scroll.forceActiveFocus()
    }

    // The width of a line of about 70 characters of the lesson's text.
    TextMetrics {
        id: line
        font.family: Theme.fontFamily
        font.weight: Font.Medium
        font.pixelSize: Theme.size(16)
        text: "Forecast skill has gained about a day every decade, so today's forecast."
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        RowLayout {
            Layout.fillWidth: true
            Layout.margins: 12
            Layout.leftMargin: 20
            spacing: 10
            SymbolIcon {
                name: "graduationcap.fill"
                size: 22
                color: Theme.amber
            }
            Kicker {
                Layout.fillWidth: true
                text: "WEATHER SCHOOL"
                color: Theme.text
                size: 13
            }
            SymbolButton {
                objectName: "closeWeatherSchool"
                symbol: "xmark"
                label: "Close Weather School"
                hint: "Close (Esc)"
                onClicked: sheet.close()
            }
        }
        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Theme.separator
        }

        ScrollView {
            id: scroll
            objectName: "lessonScroll"
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: availableWidth
            ScrollBar.horizontal.policy: ScrollBar.AlwaysOff
            ScrollBar.vertical: ScrollBar {
                parent: scroll
                x: scroll.width - width
                y: scroll.topPadding
                height: scroll.availableHeight
                Accessible.name: "Weather School"
            }

            readonly property Flickable flick: contentItem as Flickable

            Keys.onPressed: event => {
                const page = Math.max(40, scroll.flick.height - 60)
                const end = Math.max(0, scroll.flick.contentHeight - scroll.flick.height)
                let y = scroll.flick.contentY
                if (event.key === Qt.Key_PageDown || (event.key === Qt.Key_Space && !event.modifiers))
                    y += page
                else if (event.key === Qt.Key_PageUp || (event.key === Qt.Key_Space && event.modifiers & Qt.ShiftModifier))
                    y -= page
                else if (event.key === Qt.Key_Down)
                    y += 48
                else if (event.key === Qt.Key_Up)
                    y -= 48
                else if (event.key === Qt.Key_Home)
                    y = 0
                else if (event.key === Qt.Key_End)
                    y = end
                else
                    return
                scroll.flick.contentY = Math.min(end, Math.max(0, y))
                event.accepted = true
            }

            // The focus moving to a control out of sight scrolls it into view.
            Connections {
                target: scroll.Window.window
                function onActiveFocusItemChanged() {
                    const item = scroll.Window.window ? scroll.Window.window.activeFocusItem : null
                    if (!sheet.opened || !item)
                        return
                    let inside = item.parent
                    while (inside && inside !== lesson)
                        inside = inside.parent
                    if (!inside)
                        return
                    const top = item.mapToItem(lesson, 0, 0).y
                    const bottom = top + item.height
                    if (top < scroll.flick.contentY)
                        scroll.flick.contentY = Math.max(0, top - 24)
                    else if (bottom > scroll.flick.contentY + scroll.flick.height)
                        scroll.flick.contentY = Math.min(Math.max(0, scroll.flick.contentHeight - scroll.flick.height), bottom - scroll.flick.height + 24)
                }
            }

            // Made when the sheet opens and dropped when it closes: nothing of it costs the
            // start-up, and each visit starts at the top with the lab as it was first set.
            Loader {
                id: lesson
                width: Math.min(scroll.availableWidth - 48, Math.ceil(line.advanceWidth))
                x: Math.round((scroll.availableWidth - width) / 2)
                active: sheet.visible
                sourceComponent: ColumnLayout {
                    objectName: "lesson"
                    spacing: 40

                    Item { implicitHeight: 0 }
                    LessonOpening {}
                    LessonFirstSegments {}
                    LessonLaterSegments {}
                    LessonClosing {}
                    Item { implicitHeight: 16 }
                }
            }
        }
    }
}
