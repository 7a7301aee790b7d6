// SPDX-License-Identifier: GPL-3.0-or-later
// The instants the command lines take, the clock that starts at one, and endpoints files.
#include "net/Clock.h"
#include "net/Endpoints.h"

#include "Await.h"
#include "TestOutput.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(ClockTest, ReadsOnlyInstantsWithAZone)
{
    const struct
    {
        const char *text;
        qint64 utcSeconds; // -1: not an instant
    } cases[] = {
        { "2024-07-19T23:40:00Z", 1721432400 },
        { "2024-07-19T16:40:00-07:00", 1721432400 },
        { "2024-07-19T16:40:00.500-07:00", 1721432400 },
        { "2024-07-19T16:40:00", -1 },
        { "yesterday", -1 },
        { "", -1 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<QDateTime> instant = Clock::parseInstant(QString::fromLatin1(c.text));
        EXPECT_EQ(instant ? instant->toSecsSinceEpoch() : -1, c.utcSeconds);
    }
}

TEST(ClockTest, AShiftedClockStartsAtItsInstantAndRunsOn)
{
    const QDateTime start = QDateTime::fromString(QStringLiteral("2024-07-19T16:40:00-07:00"), Qt::ISODate);
    const ShiftedClock clock(start);
    const qint64 first = start.msecsTo(clock.now());
    EXPECT_GE(first, 0);
    EXPECT_LT(first, 1000);
    test_support::spin(30ms);
    EXPECT_GE(start.msecsTo(clock.now()), first + 30);
}

TEST(EndpointsTest, AFileOfOverridesSaysWhatIsWrongWithIt)
{
    test_support::TempDir dir;
    const auto write = [&dir](const char *name, const QByteArray &content) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    };
    const QString good = write("good.json", R"({"nws": "http://127.0.0.1:9/nws"})");
    const QString unknown = write("unknown.json", R"({"nws": "http://h", "weather": "http://w"})");
    const QString list = write("list.json", R"(["nws"])");
    const QString missing = dir.filePath(QStringLiteral("missing.json"));
    const struct
    {
        QString path;
        std::optional<QString> problem;
    } cases[] = {
        { good, std::nullopt },
        { unknown, QStringLiteral("unknown endpoints: weather") },
        { list, list + QStringLiteral(" is not a JSON object of endpoint names and base URLs") },
        { missing, QStringLiteral("cannot read ") + missing },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        Endpoints endpoints;
        EXPECT_EQ(endpoints.applyOverridesFile(c.path), c.problem);
    }
    Endpoints endpoints;
    ASSERT_FALSE(endpoints.applyOverridesFile(good));
    EXPECT_EQ(endpoints.nws, QStringLiteral("http://127.0.0.1:9/nws"));
    EXPECT_EQ(endpoints.baseUrl(QStringLiteral("nws")), endpoints.nws);
    EXPECT_EQ(endpoints.baseUrl(QStringLiteral("weather")), QString());
}
