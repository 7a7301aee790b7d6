// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A small line symbol drawn in the given colour, named as the symbols of the design are:
// "magnifyingglass", "location", "location.fill", "star", "star.fill",
// "clock.arrow.circlepath", "arrow.clockwise", "xmark". Drawn on a 24-unit grid and scaled.
Canvas {
    id: icon

    property string name
    property color color: Theme.text
    property real size: 18

    implicitWidth: size
    implicitHeight: size
    antialiasing: true

    onNameChanged: requestPaint()
    onColorChanged: requestPaint()
    onWidthChanged: requestPaint()
    onHeightChanged: requestPaint()

    function starPoints(ctx) {
        ctx.beginPath()
        for (let i = 0; i < 10; ++i) {
            const r = i % 2 === 0 ? 9.6 : 4.1
            const a = -Math.PI / 2 + i * Math.PI / 5
            const x = 12 + r * Math.cos(a)
            const y = 12.8 + r * Math.sin(a)
            if (i === 0) ctx.moveTo(x, y); else ctx.lineTo(x, y)
        }
        ctx.closePath()
    }

    function circleArrow(ctx, fromAngle, toAngle) {
        ctx.beginPath()
        ctx.arc(12, 12, 8, fromAngle, toAngle, false)
        ctx.stroke()
        // the arrow head at the arc's end, pointing along the turn
        const ex = 12 + 8 * Math.cos(toAngle), ey = 12 + 8 * Math.sin(toAngle)
        const tx = -Math.sin(toAngle), ty = Math.cos(toAngle)
        const nx = Math.cos(toAngle), ny = Math.sin(toAngle)
        ctx.beginPath()
        ctx.moveTo(ex + tx * 3.2, ey + ty * 3.2)
        ctx.lineTo(ex + nx * 3.2 - tx * 0.6, ey + ny * 3.2 - ty * 0.6)
        ctx.lineTo(ex - nx * 3.2 - tx * 0.6, ey - ny * 3.2 - ty * 0.6)
        ctx.closePath()
        ctx.fill()
    }

    onPaint: {
        const ctx = getContext("2d")
        ctx.reset()
        ctx.clearRect(0, 0, width, height)
        const unit = Math.min(width, height) / 24
        ctx.translate((width - 24 * unit) / 2, (height - 24 * unit) / 2)
        ctx.scale(unit, unit)
        ctx.strokeStyle = icon.color
        ctx.fillStyle = icon.color
        ctx.lineWidth = 2
        ctx.lineCap = "round"
        ctx.lineJoin = "round"
        switch (icon.name) {
        case "magnifyingglass":
            ctx.beginPath(); ctx.arc(10.5, 10.5, 6.5, 0, 2 * Math.PI); ctx.stroke()
            ctx.lineWidth = 2.6
            ctx.beginPath(); ctx.moveTo(15.3, 15.3); ctx.lineTo(20.5, 20.5); ctx.stroke()
            break
        case "location":
        case "location.fill":
            ctx.beginPath()
            ctx.moveTo(20.5, 3.5); ctx.lineTo(3.5, 10.8); ctx.lineTo(11.2, 12.8)
            ctx.lineTo(13.2, 20.5); ctx.closePath()
            if (icon.name === "location.fill") ctx.fill(); else ctx.stroke()
            break
        case "star":
        case "star.fill":
            icon.starPoints(ctx)
            if (icon.name === "star.fill") ctx.fill(); else ctx.stroke()
            break
        case "clock.arrow.circlepath":
            ctx.lineWidth = 1.8
            icon.circleArrow(ctx, Math.PI * 0.95, Math.PI * 2.65)
            ctx.beginPath(); ctx.moveTo(12, 7.5); ctx.lineTo(12, 12); ctx.lineTo(15, 14); ctx.stroke()
            break
        case "arrow.clockwise":
            icon.circleArrow(ctx, Math.PI * 1.75, Math.PI * 3.3)
            break
        case "xmark":
            ctx.beginPath(); ctx.moveTo(6, 6); ctx.lineTo(18, 18); ctx.moveTo(18, 6); ctx.lineTo(6, 18); ctx.stroke()
            break
        }
    }
}
