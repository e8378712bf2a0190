// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/Colour.h"

#include <gtest/gtest.h>

using namespace runtime;

TEST(Colour, PlainColoursAreBlueGreenRed)
{
    EXPECT_EQ(resolveColour(0x808080), QColor(128, 128, 128));
    EXPECT_EQ(resolveColour(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(resolveColour(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(resolveColour(0xE0E0E0), QColor(224, 224, 224));
    EXPECT_EQ(toOleColor(QColor(1, 2, 3)), 0x030201u);
}

TEST(Colour, SystemReferencesFollowThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(40, 50, 60));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(70, 80, 90));
    EXPECT_TRUE(isSystemColour(SystemColour::ButtonFace));
    EXPECT_FALSE(isSystemColour(0x00FFFFFF));
    EXPECT_EQ(resolveColour(SystemColour::ButtonFace, palette), QColor(10, 20, 30));
    EXPECT_EQ(resolveColour(SystemColour::ButtonText, palette), QColor(40, 50, 60));
    EXPECT_EQ(resolveColour(SystemColour::GrayText, palette), QColor(70, 80, 90));
}
