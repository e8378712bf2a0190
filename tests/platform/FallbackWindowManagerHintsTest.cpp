// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowManagerHints.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QWidget>

#include <gtest/gtest.h>

// Without X11 (here the offscreen platform) the window manager is told
// nothing, every request says so, and there is no frame.
TEST(FallbackWindowManagerHints, TellsNothingAndSaysSo)
{
    ASSERT_NE(QGuiApplication::platformName(), "xcb");
    QWidget window;
    const auto hints = WindowManagerHints::create(&window);
    ASSERT_NE(hints, nullptr);
    QSignalSpy frames(hints.get(), &WindowManagerHints::frameExtentsChanged);
    EXPECT_FALSE(hints->setAspectRatio({408, 374}));
    EXPECT_FALSE(hints->requestBorderWithoutTitle());
    window.show();
    EXPECT_TRUE(hints->frameExtents().isNull());
    EXPECT_TRUE(frames.isEmpty());
}
