// SPDX-License-Identifier: GPL-3.0-or-later
// The main of every test executable: a Qt application for the event loop, then GoogleTest.
// Log lines are also recorded for the key_hygiene check when the run asks for it.
#include "TestOutput.h"

#include <QCoreApplication>
#ifdef MERRIN_TEST_GUI
#include <QGuiApplication>
#endif

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char **argv)
{
    test_support::recordLogLines();
    ::testing::InitGoogleTest(&argc, argv);
#ifdef MERRIN_TEST_GUI
    QGuiApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    QCoreApplication::setOrganizationName(QStringLiteral("MerrinValeTests"));
    QCoreApplication::setApplicationName(QStringLiteral("MerrinValeTests"));
    return RUN_ALL_TESTS();
}
