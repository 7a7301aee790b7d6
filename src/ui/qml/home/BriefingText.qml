// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The briefing in its plain form: headline, prose and the suggested question. Until the AI
// briefing exists (or without a key), the local composer's briefing stands in.
ColumnLayout {
    id: briefing

    readonly property bool hasAiBriefing: App.model.briefing !== ""
    readonly property string prose: App.model.currentBriefing

    spacing: 6
    visible: prose !== "" || App.model.briefingLoading

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
        text: briefing.prose !== "" ? briefing.prose : "Merrin is writing your briefing…"
        color: Theme.text
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(15)
        lineHeight: 1.15
        opacity: App.model.briefingRewriting || App.model.briefingLoading ? 0.6 : 1.0
    }
    Label {
        Layout.fillWidth: true
        visible: App.model.briefingRewriting || (App.model.briefingLoading && briefing.prose !== "")
        text: "Merrin is updating the briefing…"
        color: Theme.tertiaryText
        font.pixelSize: Theme.size(12)
    }
    Label {
        Layout.fillWidth: true
        visible: briefing.hasAiBriefing && App.model.suggestedQuestion !== ""
        text: App.model.suggestedQuestion
        color: Theme.blue
        wrapMode: Text.Wrap
        font.pixelSize: Theme.size(14)
    }
}
