// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import MerrinVale

// The lesson's end: what to take away, and where the figures come from.
ColumnLayout {
    Layout.fillWidth: true
    spacing: 14

    Rectangle {
        Layout.fillWidth: true
        Layout.bottomMargin: 12
        implicitHeight: 1
        color: Theme.separator
    }
    BodyText {
        markdown: "So here's what I'd like you to take away. A forecast isn't a promise. It's a well-reasoned bet, placed by people and machines that are very good at placing them. The percentage gives you the odds, the words give you the pattern, and the discussion gives you the why."
    }
    BodyText {
        markdown: "Use the odds the way you'd use any good odds: take the umbrella at 40% if getting wet would ruin your day, and leave it if it wouldn't. When the sky does something I didn't see coming, I'll be the first to say so. That's how every forecaster gets better."
    }
    BodyText {
        markdown: "That's the course. Thank you for sitting through it with me. Now go outside."
    }
    Kicker {
        Layout.fillWidth: true
        Layout.topMargin: 12
        text: "SOURCES · NOAA · NATIONAL WEATHER SERVICE · AMERICAN METEOROLOGICAL SOCIETY"
        color: Theme.tertiaryText
        wrapMode: Text.Wrap
        size: 10
    }
}
