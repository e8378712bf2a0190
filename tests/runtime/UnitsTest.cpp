#include "Units.h"

#include <gtest/gtest.h>

using runtime::Units;

TEST(Units, TwipsAndPixelsAtTheUsualResolution)
{
    // The test display runs at 96 dpi, the resolution the faces were drawn for.
    ASSERT_EQ(Units::twipsPerPixelX(), 15);
    ASSERT_EQ(Units::twipsPerPixelY(), 15);
    EXPECT_EQ(Units::twipsToPixelsX(6120), 408);
    EXPECT_EQ(Units::twipsToPixelsY(5610), 374);
    EXPECT_EQ(Units::twipsToPixelsX(7.5), 0); // half a pixel rounds to even
    EXPECT_EQ(Units::twipsToPixelsX(22.5), 2);
    EXPECT_DOUBLE_EQ(Units::pixelsToTwipsY(13), 195);
}

TEST(Units, HimetricExtents)
{
    // A saved 13-pixel button carries 344 hundredths of a millimetre.
    EXPECT_NEAR(Units::himetricToTwips(344), 195, 0.1);
    EXPECT_NEAR(Units::twipsToHimetric(1440), 2540, 1e-9);
}
