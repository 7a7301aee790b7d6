// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls
import MerrinVale

// A row of a list that does something when clicked. Its accessible name is its text; a row
// that draws its own content must set Accessible.name. A screen reader's press clicks it.
ItemDelegate {
    id: row

    Accessible.onPressAction: AccessibleActions.click(row)
}
