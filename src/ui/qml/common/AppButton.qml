// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import MerrinVale

// The app's push button. Its accessible name is its text; set Accessible.name as well when the
// text alone does not say what it does. A screen reader's press clicks it.
Button {
    id: button

    Accessible.onPressAction: AccessibleActions.click(button)
}
