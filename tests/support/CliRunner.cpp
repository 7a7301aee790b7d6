// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"

#include "Await.h"
#include "TestOutput.h"

#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryFile>

#ifndef MERRIN_CLI_PATH
#error "MERRIN_CLI_PATH must name the merrin-cli binary"
#endif

CliResult runCli(const FakeServer &server, const QStringList &arguments, const QByteArray &stdinText,
    const QJsonObject &extraEndpoints)
{
    QJsonObject endpoints;
    for (const QString &field : Endpoints::fieldNames()) {
        endpoints.insert(field, server.baseUrl());
    }
    for (auto it = extraEndpoints.begin(); it != extraEndpoints.end(); ++it) {
        endpoints.insert(it.key(), it.value());
    }
    QTemporaryFile file;
    if (!file.open()) {
        return {};
    }
    file.write(QJsonDocument(endpoints).toJson());
    file.flush();

    QProcess process;
    process.start(
        QStringLiteral(MERRIN_CLI_PATH), QStringList { QStringLiteral("--endpoints"), file.fileName() } + arguments);
    process.write(stdinText);
    process.closeWriteChannel();
    test_support::spinUntil([&] { return process.state() == QProcess::NotRunning; }, std::chrono::seconds(60));
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    const QByteArray out = process.readAllStandardOutput();
    const QByteArray err = process.readAllStandardError();
    test_support::recordProcess(process.program(), process.arguments(), out, err);
    return CliResult { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromUtf8(out),
        QString::fromUtf8(err) };
}
