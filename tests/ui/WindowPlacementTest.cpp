// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's size and place, kept in the settings file from one run to the next.
#include "app/SettingsStore.h"
#include "ui/MainWindow.h"

#include "AppWorld.h"

#include <QCoreApplication>
#include <QQuickWindow>

#include <gtest/gtest.h>

#include <tuple>

TEST(WindowPlacement, ASavedGeometryIsFittedToTheScreensThereAre)
{
    const QList<QRect> screens { QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024) };
    const QSize minimum(560, 420);
    for (const auto &[what, saved, expected] : {
             std::tuple { "as it was", QRect(100, 80, 900, 640), QRect(100, 80, 900, 640) },
             { "on the second screen", QRect(2000, 100, 900, 640), QRect(2000, 100, 900, 640) },
             { "hanging off the edge", QRect(1500, 900, 900, 640), QRect(1020, 440, 900, 640) },
             { "bigger than its screen", QRect(2000, 0, 1600, 1200), QRect(1920, 0, 1280, 1024) },
             { "below the minimum", QRect(100, 80, 200, 100), QRect(100, 80, 560, 420) },
             { "on a screen that is gone", QRect(5000, 3000, 900, 640), QRect(510, 220, 900, 640) },
         }) {
        EXPECT_EQ(fitWindowGeometry(saved, screens, minimum), expected) << what;
    }
}

TEST(WindowPlacement, TheWindowOpensWhereItClosed)
{
    AppWorld world(QStringLiteral("org.merrinvale.MerrinVale.ui-tests"));
    EXPECT_FALSE(world.settings.windowPlacement());

    const QRect closedAt(30, 40, 600, 450);
    {
        QQuickWindow window;
        window.setMinimumSize(QSize(300, 200));
        keepWindowPlacement(window, world.settings);
        window.setGeometry(closedAt);
        window.show();
        window.close();
    }
    ASSERT_TRUE(world.settings.windowPlacement());
    EXPECT_EQ(world.settings.windowPlacement()->geometry, closedAt);

    // The next run reads the same file.
    SettingsStore nextRun(world.defaults, world.keys, world.clock);
    QQuickWindow window;
    keepWindowPlacement(window, nextRun);
    EXPECT_EQ(window.geometry(), closedAt);
}
