// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// A paragraph of the lesson. Words between asterisks are emphasised (drawn bold: the typeface
// has no italic); a screen reader gets the words without the marks.
Label {
    id: paragraph

    property string markdown
    readonly property string plain: markdown.replace(/\*/g, "")

    Layout.fillWidth: true
    text: markdown.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/\*([^*]+)\*/g, "<b>$1</b>")
    textFormat: Text.StyledText
    color: Theme.text
    wrapMode: Text.Wrap
    lineHeight: 1.35
    font.pixelSize: Theme.size(16)
    Accessible.name: plain
}
