// SPDX-License-Identifier: GPL-3.0-or-later
pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The probability lab: confidence and coverage on two sliders in steps of 5, the chance of rain
// they make and what Merrin makes of it. The two presets spring the sliders to their values.
Rectangle {
    id: lab

    Layout.fillWidth: true
    implicitHeight: column.implicitHeight + 40
    radius: 16
    color: Theme.card
    border.color: Theme.separator

    PopLabModel {
        id: model
        confidence: confidenceSlider.value
        coverage: coverageSlider.value
    }

    // Both sliders to a preset's values, with a spring: about half a second to settle, a little
    // overshoot (SpringAnimation steps every 16 ms: spring 2.53 and damping 0.34 make a
    // 0.5-second period at 0.85 of critical damping).
    function preset(confidence: real, coverage: real) {
        presetSpring.stop()
        confidenceSpring.to = confidence
        coverageSpring.to = coverage
        presetSpring.start()
    }

    ParallelAnimation {
        id: presetSpring
        SpringAnimation {
            id: confidenceSpring
            target: confidenceSlider
            property: "value"
            spring: 2.53
            damping: 0.34
            epsilon: 0.05
        }
        SpringAnimation {
            id: coverageSpring
            target: coverageSlider
            property: "value"
            spring: 2.53
            damping: 0.34
            epsilon: 0.05
        }
    }

    component PresetButton: AppButton {
        id: button
        padding: 10
        leftPadding: 16
        rightPadding: 16
        font.pixelSize: Theme.size(14)
        font.weight: Font.Bold
        Keys.onReturnPressed: AccessibleActions.click(button)
        Keys.onEnterPressed: AccessibleActions.click(button)
        contentItem: Text {
            text: button.text
            font: button.font
            color: Theme.text
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            Accessible.ignored: true
        }
        background: Rectangle {
            implicitHeight: 38
            radius: 12
            color: Theme.fill
            opacity: button.down ? 1 : button.hovered ? 0.85 : 0.6
            border.width: button.visualFocus ? 2 : 0
            border.color: Theme.blue
        }
    }

    component LabSlider: ColumnLayout {
        id: setting
        required property string caption
        required property string name
        property alias value: slider.value
        signal moved
        Layout.fillWidth: true
        spacing: 2
        RowLayout {
            Layout.fillWidth: true
            Kicker {
                Layout.fillWidth: true
                text: setting.caption
                color: Theme.text
                size: 12
            }
            Label {
                text: Math.round(slider.value) + "%"
                color: Theme.text
                font.pixelSize: Theme.size(15)
                font.weight: Font.Bold
            }
        }
        Slider {
            id: slider
            Layout.fillWidth: true
            from: 0
            to: 100
            stepSize: 5
            snapMode: Slider.SnapAlways
            Accessible.name: setting.name
            onMoved: setting.moved()
            background: Rectangle {
                x: slider.leftPadding
                y: slider.topPadding + (slider.availableHeight - height) / 2
                implicitWidth: 200
                implicitHeight: 6
                width: slider.availableWidth
                height: implicitHeight
                radius: 3
                color: Theme.fill
                Rectangle {
                    width: slider.visualPosition * parent.width
                    height: parent.height
                    radius: 3
                    color: Theme.blue
                }
            }
            handle: Rectangle {
                x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
                y: slider.topPadding + (slider.availableHeight - height) / 2
                implicitWidth: 24
                implicitHeight: 24
                radius: 12
                color: slider.pressed ? Theme.separator : "#FFFFFF"
                border.width: slider.visualFocus ? 3 : 1
                border.color: slider.visualFocus ? Theme.blue : Theme.tertiaryText
            }
        }
    }

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 20
        spacing: 14

        Label {
            Layout.fillWidth: true
            text: "Have a play with it — and try the two presets underneath."
            color: Theme.secondaryText
            wrapMode: Text.Wrap
            font.pixelSize: Theme.size(15)
        }

        LabSlider {
            id: confidenceSlider
            objectName: "confidenceSlider"
            caption: "CONFIDENCE (C)"
            name: "Confidence (C)"
            value: 60
            // The user's hand wins: a drag or a key stops a preset's spring.
            onMoved: presetSpring.stop()
        }
        LabSlider {
            id: coverageSlider
            objectName: "coverageSlider"
            caption: "COVERAGE (A)"
            name: "Coverage (A)"
            value: 40
            onMoved: presetSpring.stop()
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.topMargin: 4
            spacing: 16
            Label {
                objectName: "popChance"
                Layout.alignment: Qt.AlignTop
                text: model.chanceText
                color: Theme.amberText
                font.pixelSize: 44
                font.weight: Font.Black
                Accessible.name: "Chance of rain: " + text
            }
            Label {
                objectName: "popVerdict"
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignVCenter
                text: model.verdict
                color: Theme.text
                wrapMode: Text.Wrap
                lineHeight: 1.25
                font.pixelSize: Theme.size(16)
                font.weight: Font.Bold
            }
        }

        Flow {
            Layout.fillWidth: true
            spacing: 10
            PresetButton {
                text: "Day A · 50 × 80"
                onClicked: lab.preset(50, 80)
            }
            PresetButton {
                text: "Day B · 80 × 50"
                onClicked: lab.preset(80, 50)
            }
        }
    }
}
