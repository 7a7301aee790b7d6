// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QQmlApplicationEngine;
class QQuickWindow;
class SettingsStore;

// Loads the main window into the engine, in the controls style its screens are drawn for. The
// App singleton (AppBridge::setInstance) must be set first.
void loadMainWindow(QQmlApplicationEngine &engine);
// Starts reading and compiling the main window's QML on the engine's loader thread, so that
// loadMainWindow later has less to wait for. Needs nothing else of the app.
void preloadMainWindow(QQmlApplicationEngine &engine);

// Gives the window the size and place it had when it last closed, and remembers them when it
// closes or the application quits. settings must outlive the window.
void keepWindowPlacement(QQuickWindow &window, SettingsStore &settings);

// A saved geometry made usable on the screens there are now (their available areas, the first
// one the primary): at least `minimum` and at most the screen it mostly lies on, moved inside
// that screen; one that lies on no screen is centred on the primary.
[[nodiscard]] QRect fitWindowGeometry(const QRect &saved, const QList<QRect> &screens, const QSize &minimum);
