// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// Says `ready` once, when `when` is true and the window has drawn a frame since, so that what it
// starts does not hold back that frame; a window that is not drawn gets it a moment later.
Item {
    id: gate

    property bool when: false
    property bool done: false
    signal ready

    visible: false

    function fire() {
        if (gate.done)
            return
        gate.done = true
        fallback.stop()
        gate.ready()
    }

    onWhenChanged: if (when && !done) fallback.start()
    Component.onCompleted: if (when) fallback.start()

    Connections {
        target: gate.Window.window
        enabled: gate.when && !gate.done
        function onFrameSwapped() { gate.fire() }
    }
    Timer {
        id: fallback
        interval: 250
        onTriggered: gate.fire()
    }
}
