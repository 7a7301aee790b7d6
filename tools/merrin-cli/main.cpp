// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli: runs Merrin Vale's services once and prints what they return.
//
//   merrin-cli [--endpoints FILE] [--now ISO-8601] [--state DIR] [--key-file FILE | --key-stdin] COMMAND ARGS...
#include "CliContext.h"

#include "net/AppError.h"
#include "text/Trim.h"

#include <QCoreApplication>
#include <QFile>
#include <QNetworkAccessManager>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <QCoroTask>

#include <cstdio>
#include <iostream>

namespace {

void printUsage()
{
    QTextStream err(stderr);
    err << "usage: merrin-cli [--endpoints FILE] [--now ISO-8601] [--state DIR] [--key-file FILE | --key-stdin] "
           "COMMAND ARGS...\n\ncommands:\n";
    for (const CliCommandInfo &info : std::as_const(cliCommands())) {
        err << "  " << info.usage << '\n';
    }
}

QString readKey(const QString &path, bool fromStdin)
{
    QFile file;
    if (fromStdin) {
        if (!file.open(stdin, QIODevice::ReadOnly)) {
            throw UsageError("cannot read the key from standard input");
        }
    } else {
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly)) {
            throw UsageError("cannot read the key file " + path.toStdString());
        }
    }
    const QString key = text::trimmedWhitespaceAndNewlines(QString::fromUtf8(file.readAll()));
    if (const auto problem = text::apiKeyProblem(key)) {
        throw UsageError(problem->toStdString());
    }
    return key;
}

QCoro::Task<int> runCommand(CliContext &context, CliCommandInfo info)
{
    try {
        co_return co_await info.run(context);
    } catch (const UsageError &e) {
        std::fprintf(stderr, "merrin-cli: %s\n", e.what());
        printUsage();
        co_return 2;
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s\n", e.description().toUtf8().constData());
        co_return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        co_return 1;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("merrin-cli"));
    QCoreApplication::setOrganizationName(QStringLiteral("MerrinVale"));

    CliContext context;
    QString command;
    QString keyFile;
    bool keyStdin = false;
    std::optional<QTemporaryDir> scratch;
    try {
        const QStringList arguments = QCoreApplication::arguments().mid(1);
        QStringList rest;
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            const QString &a = arguments.at(i);
            const auto value = [&](const char *name) {
                if (i + 1 >= arguments.size()) {
                    throw UsageError(std::string(name) + " needs a value");
                }
                return arguments.at(++i);
            };
            if (!a.startsWith(QStringLiteral("--")) || a == QStringLiteral("--")) {
                rest.append(a);
            } else if (a == QStringLiteral("--endpoints")) {
                if (const auto problem = context.endpoints.applyOverridesFile(value("--endpoints"))) {
                    throw UsageError(problem->toStdString());
                }
            } else if (a == QStringLiteral("--now")) {
                const std::optional<QDateTime> now = Clock::parseInstant(value("--now"));
                if (!now) {
                    throw UsageError("--now needs an ISO-8601 time with Z or an offset");
                }
                context.clock = std::make_unique<FixedClock>(*now);
            } else if (a == QStringLiteral("--state")) {
                context.stateDir = value("--state");
            } else if (a == QStringLiteral("--key-file")) {
                keyFile = value("--key-file");
            } else if (a == QStringLiteral("--key-stdin")) {
                keyStdin = true;
            } else {
                // Command options: a known value option takes the next argument.
                const QString name = a.mid(2);
                bool takesValue = false;
                for (const CliCommandInfo &info : std::as_const(cliCommands())) {
                    takesValue = takesValue || info.valueOptions.contains(name);
                }
                context.options.insert(name, takesValue ? value(a.toUtf8().constData()) : QString());
            }
        }
        if (rest.isEmpty()) {
            throw UsageError("no command given");
        }
        command = rest.takeFirst();
        context.args = rest;
        const auto it = cliCommands().constFind(command);
        if (it == cliCommands().cend()) {
            throw UsageError("unknown command " + command.toStdString());
        }
        for (auto option = context.options.cbegin(); option != context.options.cend(); ++option) {
            if (!it->flags.contains(option.key()) && !it->valueOptions.contains(option.key())) {
                throw UsageError(command.toStdString() + " has no option --" + option.key().toStdString());
            }
        }
        if (keyStdin || !keyFile.isEmpty()) {
            context.apiKey = readKey(keyFile, keyStdin);
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "merrin-cli: %s\n", e.what());
        printUsage();
        return 2;
    }

    if (!context.clock) {
        context.clock = std::make_unique<SystemClock>();
    }
    if (context.stateDir.isEmpty()) {
        scratch.emplace();
        context.stateDir = scratch->path();
    }
    QNetworkAccessManager network;
    context.network = &network;

    int status = 1;
    auto task = runCommand(context, cliCommands().value(command));
    auto finish = [&]() -> QCoro::Task<> {
        status = co_await std::move(task);
        QCoreApplication::exit(status);
    };
    auto runner = finish();
    if (!runner.isReady()) {
        QCoreApplication::exec();
    }
    return status;
}
