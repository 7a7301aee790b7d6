// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import MerrinVale

// An on/off setting. Its accessible name is its text; a screen reader's toggle (or press) flips
// it exactly as a click does, with toggled() and clicked().
Switch {
    id: toggle

    Accessible.onPressAction: AccessibleActions.click(toggle)
    Accessible.onToggleAction: AccessibleActions.click(toggle)
}
