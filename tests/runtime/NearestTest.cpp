// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/Nearest.h"

#include <gtest/gtest.h>

using runtime::cInt;
using runtime::cLng;
using runtime::nearest;

TEST(Nearest, RoundsHalvesToEven)
{
    const struct {
        double in;
        double out;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {9.5, 10}, {-0.5, 0}, {-1.5, -2}, {59.6, 60}, {59.4, 59}};
    for (const auto &c : cases)
        EXPECT_EQ(nearest(c.in), c.out) << c.in;
}

TEST(Nearest, IntegerConversionsFailOnOverflowInsteadOfWrapping)
{
    EXPECT_EQ(cInt(32767.4), 32767);
    EXPECT_FALSE(cInt(32767.5).has_value());
    EXPECT_EQ(cInt(-32768.0), -32768);
    EXPECT_FALSE(cInt(-32769.0).has_value());
    EXPECT_EQ(cLng(2147483647.0), 2147483647);
    EXPECT_FALSE(cLng(2147483648.0).has_value());
    EXPECT_FALSE(cLng(std::nan("")).has_value());
}
