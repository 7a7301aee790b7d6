// SPDX-License-Identifier: GPL-3.0-or-later
// The Gemini speech replies, through the base64 audio, the MIME type's sample rate and the WAV
// builder into a cache file; and the speech normaliser that rewrites a briefing for the voice.
#include "FuzzSupport.h"

#include "net/Clock.h"
#include "voice/GoogleTtsService.h"
#include "voice/SpeechScript.h"
#include "voice/WavWriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    static QTemporaryDir cache;
    const fuzz::Input input(data, size);
    const int status = input.status();

    switch (input.mode(3)) {
    case 0: {
        // The n-th model asked reads part n.
        int requests = 0;
        const FixedClock clock(QDateTime::fromSecsSinceEpoch(1786653060, QTimeZone::utc()));
        GoogleTtsService tts(
            fuzz::endpoints().gemini, clock, cache.path(), std::make_unique<fuzz::Network>([&](const QUrl &) {
                return fuzz::Reply { status, input.part(requests++) };
            }));
        try {
            const QString path = test_support::await(
                tts.synthesize(QStringLiteral("Sunny and 72°F."), QStringLiteral("Kore"), QStringLiteral("fuzz-key")));
            QFile::remove(path);
        } catch (const test_support::AwaitTimeout &) {
            fuzz::hangDetected();
        } catch (const std::exception &) { }
        break;
    }
    case 1: {
        const QString text = input.text();
        (void)voice::normalizeForSpeech(text);
        (void)voice::buildScript(text, QStringLiteral("Springfield"), QStringLiteral("Tuesday"), 18, true);
        break;
    }
    default: {
        // A MIME type line, then the PCM samples.
        const QByteArray &payload = input.payload();
        const qsizetype newline = payload.indexOf('\n');
        const QString mime = QString::fromUtf8(payload.left(std::max<qsizetype>(newline, 0)));
        (void)voice::wavFromPcm(payload.mid(newline + 1), GoogleTtsService::sampleRate(mime));
        break;
    }
    }
    return 0;
}
