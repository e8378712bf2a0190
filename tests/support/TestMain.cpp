// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConnectionWarnings.h"
#include "runtime/FontSubstitutes.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char **argv)
{
    // Widget tests run without a display unless the test runner chose one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    runtime::installFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    failTestsOnConnectionWarnings();
    return RUN_ALL_TESTS();
}
