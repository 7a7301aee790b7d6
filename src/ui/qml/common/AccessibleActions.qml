// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick
import QtQuick.Controls

// What the accessible press and toggle actions of the app's buttons do: exactly what a click
// does. Qt 6.4's controls ignore these actions (a screen reader's "Press" does nothing), so each
// shared clickable component routes them here, once, and screens never wire them themselves:
//     Accessible.onPressAction: AccessibleActions.click(control)
// and, for on/off controls only, Accessible.onToggleAction likewise (a handled action is one the
// control offers, so a push button must not offer "Toggle").
QtObject {
    // A click on an enabled control: a checkable one changes state first (a checked exclusive
    // one stays checked), then the control reports the click, as the mouse and keyboard do.
    function click(control: AbstractButton) {
        if (!control.enabled)
            return
        if (control.checkable && !(control.checked && control.autoExclusive)) {
            control.toggle()
            control.toggled()
        }
        control.clicked()
    }
}
