// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliContext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdio>
#include <string>

double CliContext::number(qsizetype index, const char *what) const
{
    bool ok = false;
    const double value = arg(index, what).toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        throw UsageError(std::string(what) + " must be a number");
    }
    const std::string name(what);
    if ((name == "LAT" && std::abs(value) > 90) || (name == "LON" && std::abs(value) > 180)) {
        throw UsageError(name + (name == "LAT" ? " must be between -90 and 90" : " must be between -180 and 180"));
    }
    return value;
}

QString CliContext::arg(qsizetype index, const char *what) const
{
    if (index >= args.size()) {
        throw UsageError(std::string("missing ") + what);
    }
    return args.at(index);
}

QMap<QString, CliCommandInfo> &cliCommands()
{
    static QMap<QString, CliCommandInfo> commands;
    return commands;
}

CliRegistration::CliRegistration(const QString &name, CliCommandInfo info)
{
    cliCommands().insert(name, std::move(info));
}

void printJson(const QJsonValue &value)
{
    QByteArray bytes;
    if (value.isObject()) {
        bytes = QJsonDocument(value.toObject()).toJson(QJsonDocument::Indented);
    } else if (value.isArray()) {
        bytes = QJsonDocument(value.toArray()).toJson(QJsonDocument::Indented);
    } else {
        // Scalars: wrap to let QJsonDocument write them, then unwrap.
        bytes = QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact);
        bytes = bytes.mid(1, bytes.size() - 2) + '\n';
    }
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void printText(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}
