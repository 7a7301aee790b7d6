// SPDX-License-Identifier: GPL-3.0-or-later
// merrin-vale's command line, run as a separate process: a wrong one says why and exits with 2.
#include "DemoApp.h"

TEST(CommandLineTest, AWrongCommandLineSaysWhy)
{
    const QList<std::pair<QStringList, QString>> cases {
        { { "--now", "2024-07-19T16:40:00" }, "merrin-vale: --now needs an ISO 8601 time with Z or an offset\n" },
        { { "--endpoints", "/nonexistent/endpoints.json" }, "merrin-vale: cannot read /nonexistent/endpoints.json\n" },
        { { "--demo", "--endpoints", "e.json" },
            "merrin-vale: --demo answers every request itself; it takes no --endpoints\n" },
        { { "--play-briefing", "--prepare-briefing" },
            "merrin-vale: --play-briefing and --prepare-briefing go one at a time\n" },
        { { "--demo", "--play-briefing" },
            "merrin-vale: --demo shows the window; it takes no --play-briefing or --prepare-briefing\n" },
        { { "--deliver-daily-briefing", "--demo" }, "merrin-vale: --deliver-daily-briefing takes no other options\n" },
    };
    for (const auto &[arguments, message] : cases) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        const Finished run = runMerrinVale(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.endsWith(message)) << run.err.toStdString();
    }
}
