// SPDX-License-Identifier: GPL-3.0-or-later
#include "Units.h"

#include "Nearest.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace runtime {

namespace {

const QScreen *screenOrPrimary(const QScreen *screen)
{
    return screen ? screen : QGuiApplication::primaryScreen();
}

int twipsPerPixel(double dotsPerInch)
{
    if (dotsPerInch <= 0)
        return 15;
    return static_cast<int>(nearest(Units::TwipsPerInch / dotsPerInch));
}

int pixels(double twips, int twipsPerPixel)
{
    if (std::isnan(twips))
        return 0;
    const double farthest = Units::FarthestPixels;
    return static_cast<int>(nearest(std::clamp(twips / twipsPerPixel, -farthest, farthest)));
}

} // namespace

int Units::twipsPerPixelX(const QScreen *screen)
{
    const QScreen *s = screenOrPrimary(screen);
    return twipsPerPixel(s ? s->logicalDotsPerInchX() : 96.0);
}

int Units::twipsPerPixelY(const QScreen *screen)
{
    const QScreen *s = screenOrPrimary(screen);
    return twipsPerPixel(s ? s->logicalDotsPerInchY() : 96.0);
}

int Units::twipsToPixelsX(double twips, const QScreen *screen)
{
    return pixels(twips, twipsPerPixelX(screen));
}

int Units::twipsToPixelsY(double twips, const QScreen *screen)
{
    return pixels(twips, twipsPerPixelY(screen));
}

double Units::pixelsToTwipsX(double pixels, const QScreen *screen)
{
    return pixels * twipsPerPixelX(screen);
}

double Units::pixelsToTwipsY(double pixels, const QScreen *screen)
{
    return pixels * twipsPerPixelY(screen);
}

double Units::himetricToTwips(double himetric)
{
    return himetric * TwipsPerInch / HimetricPerInch;
}

double Units::twipsToHimetric(double twips)
{
    return twips * HimetricPerInch / TwipsPerInch;
}

} // namespace runtime
