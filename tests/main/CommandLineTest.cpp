// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-vale's command line, run as a separate process: a wrong one says why and exits with 2.
#include "TestOutput.h"

#include <QProcess>

#include <gtest/gtest.h>

TEST(CommandLineTest, AWrongCommandLineSaysWhy)
{
    const struct
    {
        QStringList arguments;
        QString message;
    } cases[] = {
        { { QStringLiteral("--now"), QStringLiteral("2024-07-19T16:40:00") },
            QStringLiteral("merrin-vale: --now needs an ISO 8601 time with Z or an offset\n") },
        { { QStringLiteral("--endpoints"), QStringLiteral("/nonexistent/endpoints.json") },
            QStringLiteral("merrin-vale: cannot read /nonexistent/endpoints.json\n") },
        { { QStringLiteral("--demo"), QStringLiteral("--endpoints"), QStringLiteral("e.json") },
            QStringLiteral("merrin-vale: --demo answers every request itself; it takes no --endpoints\n") },
        { { QStringLiteral("--play-briefing"), QStringLiteral("--prepare-briefing") },
            QStringLiteral("merrin-vale: --play-briefing and --prepare-briefing go one at a time\n") },
        { { QStringLiteral("--demo"), QStringLiteral("--play-briefing") },
            QStringLiteral(
                "merrin-vale: --demo shows the window; it takes no --play-briefing or --prepare-briefing\n") },
        { { QStringLiteral("--deliver-daily-briefing"), QStringLiteral("--demo") },
            QStringLiteral("merrin-vale: --deliver-daily-briefing takes no other options\n") },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        QProcess process;
        process.start(QStringLiteral(MERRIN_VALE_PATH),
            c.arguments + QStringList { QStringLiteral("-platform"), QStringLiteral("offscreen") });
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 2);
        const QString err = QString::fromUtf8(process.readAllStandardError());
        test_support::recordProcess(
            process.program(), process.arguments(), process.readAllStandardOutput(), err.toUtf8());
        EXPECT_TRUE(err.endsWith(c.message)) << err.toStdString();
    }
}
