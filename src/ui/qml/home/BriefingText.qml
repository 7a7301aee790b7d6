// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The briefing in its plain form: headline, prose and the suggested question.
ColumnLayout {
    id: briefing

    spacing: 6
    visible: App.model.briefing !== "" || App.model.briefingLoading

    Label {
        Layout.fillWidth: true
        text: "THE BRIEFING"
        color: Theme.blue
        font.pixelSize: Theme.size(11)
        font.weight: Font.Bold
        font.letterSpacing: 0.8
    }
    Label {
        Layout.fillWidth: true
        visible: App.model.headline !== ""
        text: App.model.headline
        color: Theme.text
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(17)
        font.weight: Font.Bold
    }
    Label {
        Layout.fillWidth: true
        text: App.model.briefingLoading ? "Merrin is writing your briefing…" : App.model.briefing
        color: Theme.text
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(15)
        opacity: App.model.briefingRewriting ? 0.6 : 1.0
    }
    Label {
        Layout.fillWidth: true
        visible: App.model.suggestedQuestion !== ""
        text: App.model.suggestedQuestion
        color: Theme.blue
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(14)
    }
}
