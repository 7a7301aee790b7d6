// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// Who the data on screen comes from, each credit linked to its source's website.
ColumnLayout {
    id: footer

    required property var credits // credit rows

    spacing: 4

    Repeater {
        model: footer.credits
        RowLayout {
            id: line
            required property credit modelData
            Layout.alignment: Qt.AlignHCenter
            spacing: 6
            LinkText {
                text: line.modelData.text
                Accessible.name: line.modelData.accessibleName
                font.pixelSize: Theme.size(12)
                color: Theme.dark ? "#4FB3E8" : Theme.blue // the link blue, lighter on dark
                onClicked: Qt.openUrlExternally(line.modelData.url)
            }
            Label {
                visible: line.modelData.licence !== ""
                text: line.modelData.licence
                color: Theme.tertiaryText
                font.pixelSize: Theme.size(12)
            }
        }
    }
}
