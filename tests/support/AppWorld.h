// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the app-level tests build around the model: a local server every service points at,
// settings in a temporary file, a fixed clock and a keyring client of their own. Header-only,
// for test executables that link merrin_app.
#include "app/SettingsStore.h"
#include "net/Clock.h"
#include "net/Endpoints.h"
#include "platform/Defaults.h"
#include "platform/KeyStore.h"

#include "FakeServer.h"
#include "TestOutput.h"

#include <QNetworkAccessManager>

struct AppWorld
{
    explicit AppWorld(const QString &keyringService)
        : keys(keyringService)
    { }

    FakeServer server;
    test_support::TempDir dir;
    Defaults defaults { dir.filePath(QStringLiteral("settings.conf")) };
    FixedClock clock { QDateTime::fromString(QStringLiteral("2026-07-14T10:00:00Z"), Qt::ISODate) };
    KeyStore keys;
    SettingsStore settings { defaults, keys, clock };
    QNetworkAccessManager network;
    Endpoints endpoints = server.endpoints();
};
