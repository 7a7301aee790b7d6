// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-cli normalize                                  < TEXT
// merrin-cli script --place NAME --weekday DAY --hour H [--no-outro]  < TEXT
// merrin-cli --key-file FILE tts [--voice NAME] --cache DIR   < SCRIPT
#include "CliContext.h"

#include "voice/GoogleTtsService.h"
#include "voice/SpeechScript.h"

#include <QCoreApplication>
#include <QFile>
#include <QNetworkAccessManager>

namespace {

QString readStandardInput()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) {
        throw UsageError("cannot read standard input");
    }
    return QString::fromUtf8(input.readAll());
}

QString requiredOption(const CliContext &context, const QString &name)
{
    const QString value = context.options.value(name);
    if (value.isEmpty()) {
        throw UsageError("--" + name.toStdString() + " is required");
    }
    return value;
}

QCoro::Task<int> normalize(CliContext &context)
{
    if (!context.args.isEmpty()) {
        throw UsageError("normalize reads its text from standard input");
    }
    printText(voice::normalizeForSpeech(readStandardInput()));
    co_return 0;
}

QCoro::Task<int> script(CliContext &context)
{
    const QString place = requiredOption(context, QStringLiteral("place"));
    const QString weekday = requiredOption(context, QStringLiteral("weekday"));
    bool ok = false;
    const int hour = requiredOption(context, QStringLiteral("hour")).toInt(&ok);
    if (!ok || hour < 0 || hour > 23) {
        throw UsageError("--hour needs a whole hour from 0 to 23");
    }
    printText(voice::buildScript(readStandardInput(), place, weekday, hour, !context.flag(QStringLiteral("no-outro"))));
    co_return 0;
}

QCoro::Task<int> tts(CliContext &context)
{
    if (QCoreApplication::arguments().contains(QStringLiteral("--key-stdin"))) {
        throw UsageError("tts reads the script from standard input: pass the key with --key-file");
    }
    const QString cache = requiredOption(context, QStringLiteral("cache"));
    const QString voiceName = context.options.value(QStringLiteral("voice"), QStringLiteral("Aoede"));
    GoogleTtsService service(context.endpoints.gemini, *context.clock, cache);
    printText(co_await service.synthesize(readStandardInput(), voiceName, context.apiKey));
    co_return 0;
}

const CliRegistration normalizeRegistration(
    QStringLiteral("normalize"), { QStringLiteral("normalize < TEXT"), {}, {}, normalize });
const CliRegistration scriptRegistration(QStringLiteral("script"),
    { QStringLiteral("script --place NAME --weekday DAY --hour H [--no-outro] < TEXT"), { QStringLiteral("no-outro") },
        { QStringLiteral("place"), QStringLiteral("weekday"), QStringLiteral("hour") }, script });
const CliRegistration ttsRegistration(QStringLiteral("tts"),
    { QStringLiteral("tts [--voice NAME] --cache DIR < SCRIPT (key from --key-file)"), {},
        { QStringLiteral("voice"), QStringLiteral("cache") }, tts });

} // namespace
