// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import MerrinVale

// A small upper-case caption ("NWS ALERT", "7 DAY FORECAST", the stat captions): bold, spaced
// 0.8, in the given colour and size (sizes up to 20 points follow the text-size setting).
Label {
    property real size: 11

    color: Theme.secondaryText
    font.family: Theme.fontFamily
    font.weight: Font.Bold
    font.pixelSize: Theme.size(size)
    font.letterSpacing: 0.8
    font.capitalization: Font.AllUppercase
}
