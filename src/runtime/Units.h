// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Twips (1/1440 inch) and pixels, and the HIMETRIC extents (1/100 mm) that
// saved controls carry. Positions in the form files are twips; widgets live
// in pixels.

class QScreen;

namespace runtime {

class Units
{
public:
    static constexpr int TwipsPerInch = 1440;
    static constexpr double HimetricPerInch = 2540.0;

    // Twips per pixel from the screen's logical resolution (15 at 96 dpi).
    static int twipsPerPixelX(const QScreen *screen = nullptr);
    static int twipsPerPixelY(const QScreen *screen = nullptr);

    // Far beyond any screen, and small enough that no pixel arithmetic overflows.
    static constexpr int FarthestPixels = 16777215;

    // Twips to pixels, rounded half to even as the runtime does; a value farther
    // out (a damaged form file's) stops at FarthestPixels, and NaN is 0.
    static int twipsToPixelsX(double twips, const QScreen *screen = nullptr);
    static int twipsToPixelsY(double twips, const QScreen *screen = nullptr);
    static double pixelsToTwipsX(double pixels, const QScreen *screen = nullptr);
    static double pixelsToTwipsY(double pixels, const QScreen *screen = nullptr);

    static double himetricToTwips(double himetric);
    static double twipsToHimetric(double twips);
};

} // namespace runtime
