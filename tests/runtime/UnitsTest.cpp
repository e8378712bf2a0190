// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/Units.h"

#include <gtest/gtest.h>

#include <limits>

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

TEST(Units, TwipsFartherThanAnyScreenStopAtTheFarthestPixel)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double twips;
        int pixels;
    } cases[] = {
        {15.0 * Units::FarthestPixels, Units::FarthestPixels},
        {2.6e21, Units::FarthestPixels},
        {-2.6e21, -Units::FarthestPixels},
        {infinity, Units::FarthestPixels},
        {-infinity, -Units::FarthestPixels},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Units::twipsToPixelsX(c.twips), c.pixels) << c.twips;
        EXPECT_EQ(Units::twipsToPixelsY(c.twips), c.pixels) << c.twips;
    }
}

TEST(Units, HimetricExtents)
{
    // A saved 13-pixel button carries 344 hundredths of a millimetre.
    EXPECT_NEAR(Units::himetricToTwips(344), 195, 0.1);
    EXPECT_NEAR(Units::twipsToHimetric(1440), 2540, 1e-9);
}
