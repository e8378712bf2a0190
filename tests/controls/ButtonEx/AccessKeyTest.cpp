// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ButtonEx/AccessKey.h"

#include <gtest/gtest.h>

using buttonex::accessKeyOf;
using buttonex::shownCaption;

TEST(AccessKey, CaptionSetsTheCharacterAfterTheFirstSingleAmpersand)
{
    struct Case {
        const char *caption;
        std::optional<QString> key;
    };
    const Case cases[] = {
        {"Save &As", QStringLiteral("A")},
        {"Fish && &Chips", QStringLiteral("C")},
        {"Tom && Jerry", std::nullopt},
        {"No key", std::nullopt},
        {"Ends &", QString()},
        {"&&&", QString()},
        {"a&&&b", QStringLiteral("b")},
        {"&x&y", QStringLiteral("x")},
        {"", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(accessKeyOf(QString::fromUtf8(c.caption)), c.key) << c.caption;
}

TEST(AccessKey, ShownCaptionDropsMarkersAndUnderlinesTheKey)
{
    struct Case {
        const char *caption;
        const char *text;
        qsizetype underlined;
    };
    const Case cases[] = {
        {"Save &As", "Save As", 5},
        {"Fish && &Chips", "Fish & Chips", 7},
        {"&&", "&", -1},
        {"Tom && Jerry", "Tom & Jerry", -1},
        {"Ends &", "Ends ", -1},
        {"&a&b", "ab", 0},
    };
    for (const Case &c : cases) {
        const buttonex::ShownCaption shown = shownCaption(QString::fromUtf8(c.caption));
        EXPECT_EQ(shown.text, QString::fromUtf8(c.text)) << c.caption;
        EXPECT_EQ(shown.underlined, c.underlined) << c.caption;
    }
}
