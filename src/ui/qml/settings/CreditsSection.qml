// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// Where the data, the icons and the typeface come from, each source a link to its site.
SettingsSection {
    id: section

    readonly property color accent: Theme.dark ? "#5CB8E6" : Theme.blue

    title: "Credits"

    Credit {
        heading: "Weather data"
        lines: [
            { before: "", link: "Open-Meteo", after: "(CC BY 4.0)", url: "https://open-meteo.com/" },
            { before: "US alerts and forecast discussions from the", link: "National Weather Service", after: "",
              url: "https://www.weather.gov/" },
            { before: "Severe outlooks from the", link: "Storm Prediction Center", after: "",
              url: "https://www.spc.noaa.gov/" }
        ]
    }
    Credit {
        heading: "Next-hour precipitation"
        lines: [
            { before: "", link: "Open-Meteo's 15-minute forecast", after: "(CC BY 4.0)",
              url: "https://open-meteo.com/en/docs" }
        ]
    }
    Credit {
        heading: "Icons"
        lines: [
            { before: "", link: "Material Symbols", after: "by Google (Apache License 2.0)",
              url: "https://fonts.google.com/icons" },
            { before: "", link: "Meteocons", after: "by Bas Milius (MIT License)",
              url: "https://bas.dev/work/meteocons" }
        ]
    }
    Credit {
        heading: "Typeface"
        lines: [
            { before: "", link: "Archivo", after: "by Omnibus-Type (SIL Open Font License)",
              url: "https://www.omnibus-type.com/fonts/archivo/" }
        ]
    }

    // A heading, then one line per source: text, the linked name, text.
    component Credit: ColumnLayout {
        id: credit
        required property string heading
        required property var lines
        Layout.fillWidth: true
        spacing: 4
        Label {
            text: credit.heading
            color: Theme.text
            font.pixelSize: Theme.size(14)
            font.weight: Font.Bold
        }
        Repeater {
            model: credit.lines
            delegate: Flow {
                id: line
                required property var modelData
                Layout.fillWidth: true
                spacing: 4
                Label {
                    visible: text.length > 0
                    text: line.modelData.before
                    color: Theme.secondaryText
                    font.pixelSize: Theme.size(14)
                }
                LinkText {
                    text: line.modelData.link
                    color: section.accent
                    onClicked: Qt.openUrlExternally(line.modelData.url)
                }
                Label {
                    visible: text.length > 0
                    text: line.modelData.after
                    color: Theme.secondaryText
                    font.pixelSize: Theme.size(14)
                }
            }
        }
    }
}
