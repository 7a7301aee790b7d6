// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/Clock.h"
#include "net/Endpoints.h"

#include <QJsonValue>
#include <QMap>
#include <QStringList>

#include <QCoroTask>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

class QNetworkAccessManager;

// What every merrin-cli command receives.
struct CliContext
{
    Endpoints endpoints;
    std::unique_ptr<Clock> clock;
    QString stateDir;
    QNetworkAccessManager *network = nullptr;
    QStringList args; // the command's own arguments, options removed
    QMap<QString, QString> options; // --name value, or "" for flags
    std::optional<QString> apiKey; // from --key-file or --key-stdin

    [[nodiscard]] bool flag(const QString &name) const { return options.contains(name); }
    [[nodiscard]] double number(qsizetype index, const char *what) const;
    [[nodiscard]] QString arg(qsizetype index, const char *what) const;
};

// A wrong command line: printed with the usage, exit status 2.
struct UsageError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

using CliCommand = std::function<QCoro::Task<int>(CliContext &)>;

struct CliCommandInfo
{
    QString usage;
    QStringList flags; // options without a value this command accepts
    QStringList valueOptions; // options with a value
    CliCommand run;
};

// Commands register themselves here from their own files.
QMap<QString, CliCommandInfo> &cliCommands();

struct CliRegistration
{
    CliRegistration(const QString &name, CliCommandInfo info);
};

// Output helpers: JSON indented, text as produced plus one newline.
void printJson(const QJsonValue &value);
void printText(const QString &text);
