// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeServer.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

struct CliResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the merrin-cli binary with every endpoint pointed at the server (and any extra
// endpoint overrides), feeding stdinText to its standard input. The event loop keeps running
// while it waits, so the server's replies are never held up.
CliResult runCli(const FakeServer &server, const QStringList &arguments, const QByteArray &stdinText = {},
    const QJsonObject &extraEndpoints = {});
