// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QQmlApplicationEngine;

// Loads the main window into the engine, in the controls style its screens are drawn for. The
// App singleton (AppBridge::setInstance) must be set first.
void loadMainWindow(QQmlApplicationEngine &engine);
