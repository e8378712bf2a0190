// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GlobalHotKeys.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

// Without X11 (here the offscreen platform) nothing is registered, and every
// registration says so instead of pretending.
TEST(FallbackHotKeys, RegistersNothingAndSaysSo)
{
    ASSERT_NE(QGuiApplication::platformName(), "xcb");
    const auto hotKeys = GlobalHotKeys::create();
    ASSERT_NE(hotKeys, nullptr);
    EXPECT_FALSE(hotKeys->registerHotKey(2, Qt::Key_Return, false));
    EXPECT_FALSE(hotKeys->registerHotKey(0, Qt::Key_Plus, true));
}
