// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

Window {
    width: 900
    height: 640
    visible: true
    title: "Empty window"
}
