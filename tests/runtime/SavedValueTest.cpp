// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/SavedValue.h"
#include "runtime/Nearest.h"

#include <gtest/gtest.h>

#include <limits>

using namespace runtime;

TEST(SavedValue, NumbersConvertAsOnAssignmentAndMalformedOrOutOfRangeValuesConvertToNothing)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        QVariant value;
        std::optional<std::int32_t> asLong;
        std::optional<std::int16_t> asInteger;
    } cases[] = {
        {qint64(42), 42, 42},
        {2.5, 2, 2}, // halves to even
        {3.5, 4, 4},
        {QStringLiteral(" 17 "), 17, 17},
        {true, -1, -1},
        {qint64(40000), 40000, std::nullopt},
        {qint64(1) << 40, std::nullopt, std::nullopt},
        {QStringLiteral("twelve"), std::nullopt, std::nullopt},
        {QStringLiteral("1e999"), std::nullopt, std::nullopt},
        {nan, std::nullopt, std::nullopt},
        {QVariant(), std::nullopt, std::nullopt},
    };
    for (const auto &c : cases) {
        const std::string shown = c.value.toString().toStdString();
        EXPECT_EQ(savedLong(c.value), c.asLong) << shown;
        EXPECT_EQ(savedInteger(c.value), c.asInteger) << shown;
    }
}

TEST(SavedValue, ColoursBooleansAndTexts)
{
    EXPECT_EQ(savedColour(qint64(0x8000000F)), 0x8000000Fu);
    EXPECT_EQ(savedColour(qint64(-2147483633)), 0x8000000Fu); // the same bits read as a signed Long
    EXPECT_EQ(savedColour(qint64(1) << 33), std::nullopt);

    EXPECT_EQ(savedBoolean(QStringLiteral("true")), True);
    EXPECT_EQ(savedBoolean(QStringLiteral("False")), False);
    EXPECT_EQ(savedBoolean(qint64(7)), True);
    EXPECT_EQ(savedBoolean(QStringLiteral("maybe")), std::nullopt);

    EXPECT_EQ(savedText(qint64(15)), QStringLiteral("15"));
    EXPECT_EQ(savedText(false), QStringLiteral("False"));
    EXPECT_EQ(savedFont(QStringLiteral("Arial")), std::nullopt);
    EXPECT_EQ(savedPicture(QVariant()), Picture());
    EXPECT_EQ(savedPicture(QStringLiteral("a.png")), std::nullopt);
}
