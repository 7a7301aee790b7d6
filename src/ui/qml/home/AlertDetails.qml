// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// An alert banner's details: when the alert begins and ends, its headline, what it says and what
// to do.
ColumnLayout {
    id: details

    // The banner whose alert this shows.
    required property AlertBanner banner

    spacing: 10

    RowLayout {
        Layout.fillWidth: true
        spacing: 24
        visible: details.banner.alert.onset !== "" || details.banner.alert.ends !== ""
        Repeater {
            model: [
                { caption: details.banner.onsetCaption, time: details.banner.alert.onset },
                { caption: details.banner.endsCaption, time: details.banner.alert.ends }
            ]
            ColumnLayout {
                id: timeCell
                required property var modelData
                visible: timeCell.modelData.time !== ""
                spacing: 2
                Kicker {
                    text: timeCell.modelData.caption
                    color: details.banner.accent
                    size: 11
                }
                Label {
                    text: timeCell.modelData.time
                    color: details.banner.foreground
                    font.pixelSize: Theme.size(14)
                    font.weight: Font.DemiBold
                }
            }
        }
    }
    Repeater {
        model: [
            { text: details.banner.alert.headline, bold: true },
            { text: details.banner.alert.description, bold: false },
            { text: details.banner.alert.instruction, bold: false }
        ]
        Label {
            id: detail
            required property var modelData
            Layout.fillWidth: true
            visible: detail.modelData.text !== ""
            text: detail.modelData.text
            color: details.banner.foreground
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(13)
            font.weight: detail.modelData.bold ? Font.Bold : Font.Normal
            lineHeight: 1.1
        }
    }
}
