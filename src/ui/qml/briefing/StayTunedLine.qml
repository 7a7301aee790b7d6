// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import MerrinVale

// Under an older briefing while Merrin rewrites it: "Stay tuned for my updated forecast
// briefing" and 0 to 3 dots that keep counting, in the alert red.
Label {
    required property int dots

    text: "Stay tuned for my updated forecast briefing" + ".".repeat(dots)
    color: Theme.alertRed
    wrapMode: Text.Wrap
    font.italic: true
    font.weight: Font.Medium
    font.pixelSize: Theme.size(13)
}
