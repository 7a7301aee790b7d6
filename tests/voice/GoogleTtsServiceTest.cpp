// SPDX-License-Identifier: GPL-3.0-or-later
// The studio voice over real HTTP: the request, the model fallback, the errors, the WAV file and
// the cache folder.
#include "voice/GoogleTtsService.h"
#include "voice/TtsError.h"

#include "Await.h"
#include "FakeServer.h"
#include "TestKeys.h"
#include "TestOutput.h"
#include "net/AppError.h"
#include "net/Clock.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <gtest/gtest.h>

using test_support::await;

namespace {

const QString &kKey = test_keys::kGoogleKey;
const QString kVoice = QStringLiteral("Aoede");
const QString kFirst = QStringLiteral("/v1beta/models/gemini-3.1-flash-tts-preview:generateContent");
const QString kSecond = QStringLiteral("/v1beta/models/gemini-2.5-flash-preview-tts:generateContent");

// The recorded speech reply with real audio in place of its author's "data...".
FakeServer::Response audioReply(const QByteArray &pcm = QByteArray(8, '\1'),
    const QByteArray &mimeType = QByteArrayLiteral("audio/L16;codec=pcm;rate=24000"))
{
    QByteArray body = testData(QStringLiteral("gemini_tts_generateContent_audio_L16_truncated.json"));
    body.replace("data...", pcm.toBase64());
    body.replace("audio/L16;codec=pcm;rate=24000", mimeType);
    return FakeServer::json(body);
}

quint32 u32At(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct TtsWorld
{
    FakeServer server;
    test_support::TempDir caches;
    FixedClock clock { QDateTime::currentDateTimeUtc() };
    GoogleTtsService service { server.baseUrl(), clock, caches.path() };

    QString synthesize(const QString &text = QStringLiteral("Sunny and seventy."), const QString &voice = kVoice)
    {
        return await(service.synthesize(text, voice, kKey));
    }
    QString failure(const QString &text = QStringLiteral("Sunny."), std::optional<QString> key = kKey)
    {
        try {
            await(service.synthesize(text, kVoice, std::move(key)));
        } catch (const AppError &error) {
            return error.description();
        }
        return QStringLiteral("(no error)");
    }
};

} // namespace

TEST(GoogleTtsService, PostsTheScriptWithTheStyleDirectionAndTheVoice)
{
    TtsWorld world;
    world.server.route(kFirst, audioReply());
    const QString path = world.synthesize(QStringLiteral("  Sunny and seventy.\n"));
    EXPECT_EQ(QFileInfo(path).dir().path(), QDir(world.caches.path()).filePath(QStringLiteral("MerrinValeVoice")));
    EXPECT_EQ(QFileInfo(path).fileName().size(), 64 + 4);

    const FakeServer::Request request = world.server.requests().value(0);
    EXPECT_EQ(request.method, QStringLiteral("POST"));
    EXPECT_EQ(request.path, kFirst);
    EXPECT_EQ(request.headers.value(QStringLiteral("x-goog-api-key")), kKey);
    EXPECT_EQ(request.headers.value(QStringLiteral("content-type")), QStringLiteral("application/json"));
    const QJsonObject expected {
        { QStringLiteral("contents"),
            QJsonArray { QJsonObject { { QStringLiteral("parts"),
                QJsonArray { QJsonObject { { QStringLiteral("text"),
                    GoogleTtsService::styleDirection + QStringLiteral(":\n\nSunny and seventy.") } } } } } } },
        { QStringLiteral("generationConfig"),
            QJsonObject { { QStringLiteral("responseModalities"), QJsonArray { QStringLiteral("AUDIO") } },
                { QStringLiteral("speechConfig"),
                    QJsonObject { { QStringLiteral("voiceConfig"),
                        QJsonObject { { QStringLiteral("prebuiltVoiceConfig"),
                            QJsonObject { { QStringLiteral("voiceName"), kVoice } } } } } } } } }
    };
    EXPECT_EQ(request.body, QJsonDocument(expected).toJson(QJsonDocument::Compact));
}

TEST(GoogleTtsService, FallsBackToTheSecondModelOnlyAfter400Or404)
{
    TtsWorld world;
    world.server.route(
        kFirst, FakeServer::fromFile(QStringLiteral("gemini_error_404_generateContent_model_not_found.json"), 404));
    world.server.route(kSecond, audioReply());
    EXPECT_TRUE(QFileInfo::exists(world.synthesize()));
    EXPECT_EQ(world.server.count(kSecond), 1);

    world.server.route(kFirst, FakeServer::json(R"({"error":{"message":"first model's text"}})", 400));
    world.server.route(
        kSecond, FakeServer::fromFile(QStringLiteral("gemini_vertex_error_400_invalid_argument.json"), 400));
    EXPECT_EQ(world.failure(),
        QStringLiteral("Speech synthesis failed (400): Cannot fetch content from the provided "
                       "URL. Please ensure the URL is valid and accessible by Vertex AI. "
                       "Vertex AI respects robots.txt rules, so confirm the URL is allowed "
                       "to be crawled. Status: URL_ROBOTED-ROBOTED_DENIED"));

    world.server.clearRequests();
    world.server.route(kFirst, FakeServer::json("{}", 403));
    EXPECT_EQ(world.failure(), QStringLiteral("Google rejected the request: HTTP 403"));
    EXPECT_EQ(world.server.count(kSecond), 0);
}

TEST(GoogleTtsService, ErrorsAndTheirTexts)
{
    const struct
    {
        const char *name;
        FakeServer::Response response;
        QString expected;
    } cases[] {
        { "401 echoing the key", FakeServer::json(R"({"error":{"message":"bad key )" + kKey.toUtf8() + R"("}})", 401),
            QStringLiteral("Google rejected the request: bad key [key]") },
        { "the recorded placeholder audio",
            FakeServer::fromFile(QStringLiteral("gemini_tts_generateContent_audio_L16_truncated.json")),
            QStringLiteral("Google returned audio Merrin couldn't play.") },
        { "no candidates", FakeServer::json(R"({"candidates":[]})"),
            QStringLiteral("Google returned audio Merrin couldn't play.") },
        { "empty audio", audioReply(QByteArray()), QStringLiteral("Google returned audio Merrin couldn't play.") },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TtsWorld world;
        world.server.route(kFirst, c.response);
        EXPECT_EQ(world.failure(), c.expected);
        EXPECT_EQ(world.server.count(kSecond), 0);
        EXPECT_TRUE(QDir(world.caches.filePath(QStringLiteral("MerrinValeVoice"))).isEmpty());
    }

    TtsWorld world;
    EXPECT_EQ(world.failure(QStringLiteral(" \n "), std::nullopt), QStringLiteral("There's no briefing to read yet."));
    EXPECT_EQ(world.failure(QStringLiteral("Hi"), QString()),
        QStringLiteral("No Google AI Studio key is saved. Add one in Settings to hear Merrin's studio voice."));
    EXPECT_TRUE(world.server.requests().isEmpty());
}

TEST(GoogleTtsService, WritesTheWavHeaderAtTheRateTheMimeTypeNames)
{
    const struct
    {
        const char *mime;
        quint32 rate;
    } cases[] { { "audio/L16;codec=pcm;rate=22050", 22050 }, { "audio/L16", 24000 },
        { "audio/L16; rate = 16000 ;x", 16000 }, { "audio/L16;Rate=16000", 24000 }, { "audio/L16;rate=fast", 24000 } };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mime);
        TtsWorld world;
        world.server.route(kFirst, audioReply(QByteArray(48000, '\x7f'), c.mime));
        const QByteArray wav = fileBytes(world.synthesize());
        ASSERT_EQ(wav.size(), 48044);
        // RIFF, its size, WAVEfmt, a 16-byte PCM mono format, the rate and byte rate, 2-byte frames
        // of 16 bits, then the data chunk.
        EXPECT_EQ(wav.first(24).toHex(), "52494646a4bb000057415645666d74201000000001000100");
        EXPECT_EQ(u32At(wav, 24), c.rate);
        EXPECT_EQ(u32At(wav, 28), c.rate * 2);
        EXPECT_EQ(wav.sliced(32, 12).toHex(), "020010006461746180bb0000");
        EXPECT_EQ(wav.sliced(44), QByteArray(48000, '\x7f'));
    }
}

TEST(GoogleTtsService, ServesTheSameScriptAndVoiceFromTheCache)
{
    TtsWorld world;
    world.server.route(kFirst, audioReply());
    EXPECT_FALSE(world.service.isCached(QStringLiteral("Sunny and seventy."), kVoice));
    // Two calls at once: the second waits for the first and finds its file.
    auto first = world.service.synthesize(QStringLiteral("Sunny and seventy."), kVoice, kKey);
    auto second = world.service.synthesize(QStringLiteral("Sunny and seventy.\n"), kVoice, kKey);
    const QString path = await(std::move(first));
    EXPECT_EQ(await(std::move(second)), path);
    EXPECT_EQ(world.server.count(kFirst), 1);
    EXPECT_TRUE(world.service.isCached(QStringLiteral(" Sunny and seventy. "), kVoice));
    EXPECT_FALSE(world.service.isCached(QStringLiteral("  "), kVoice));

    const QString other = world.synthesize(QStringLiteral("Sunny and seventy."), QStringLiteral("Kore"));
    EXPECT_NE(other, path);
    EXPECT_EQ(world.server.count(kFirst), 2);
    EXPECT_EQ(world.service.cacheURL(QStringLiteral("Sunny and seventy."), kVoice), path);
}

TEST(GoogleTtsService, PrunesFilesOlderThanAWeekAfterANewFile)
{
    TtsWorld world;
    world.server.route(kFirst, audioReply());
    const QString oldPath = world.synthesize(QStringLiteral("Old."));
    const QString recentPath = world.synthesize(QStringLiteral("Recent."));
    const auto age = [&](const QString &path, int days) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(world.clock.now().addDays(-days), QFileDevice::FileModificationTime));
    };
    age(oldPath, 8);
    age(recentPath, 6);
    // A cache hit writes nothing and prunes nothing, whatever the file's age.
    EXPECT_EQ(world.synthesize(QStringLiteral("Old.")), oldPath);
    EXPECT_TRUE(QFileInfo::exists(oldPath));

    world.synthesize(QStringLiteral("New."));
    EXPECT_FALSE(QFileInfo::exists(oldPath));
    EXPECT_TRUE(QFileInfo::exists(recentPath));
}
