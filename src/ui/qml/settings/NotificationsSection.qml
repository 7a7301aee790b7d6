// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import MerrinVale

// The daily briefing (on or off, and when) and the alert notifications. Every change is
// rescheduled at once.
SettingsSection {
    id: section

    required property SettingsViewModel viewModel

    title: "Notifications"
    footer: "The daily briefing refreshes the forecast just before it's delivered. It arrives even while Merrin Vale is closed when its systemd user timer is installed, and otherwise while Merrin Vale is running. Alert notifications fire when the National Weather Service issues a new alert for your location while Merrin Vale is running."

    SettingsToggle {
        title: "Daily briefing"
        checked: App.settings.dailyBriefingEnabled
        onToggled: checked => section.viewModel.setDailyBriefingEnabled(checked)
    }
    RowLayout {
        Layout.fillWidth: true
        spacing: 8
        Label {
            Layout.fillWidth: true
            text: "Time"
            color: Theme.text
            font.pixelSize: Theme.size(15)
        }
        TimeField {
            id: hours
            label: "Daily briefing hour"
            from: 0
            to: 23
            value: App.settings.dailyBriefingHour
            onModified: section.viewModel.setDailyBriefingTime(hours.value, minutes.value)
        }
        Label {
            text: ":"
            color: Theme.text
            font.pixelSize: Theme.size(15)
            font.weight: Font.Bold
        }
        TimeField {
            id: minutes
            label: "Daily briefing minute"
            from: 0
            to: 59
            value: App.settings.dailyBriefingMinute
            onModified: section.viewModel.setDailyBriefingTime(hours.value, minutes.value)
        }
    }
    SettingsToggle {
        title: "Weather alert notifications"
        checked: App.settings.alertNotificationsEnabled
        onToggled: checked => section.viewModel.setAlertNotificationsEnabled(checked)
    }
}
