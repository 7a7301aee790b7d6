// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import MerrinVale

// Under the local briefing while Merrin writes hers: "Merrin is expanding on this" and 0 to 3
// dots that keep counting.
Label {
    required property int dots

    text: "Merrin is expanding on this" + ".".repeat(dots)
    color: Theme.secondaryText
    wrapMode: Text.Wrap
    font.italic: true
    font.weight: Font.Medium
    font.pixelSize: Theme.size(13)
}
