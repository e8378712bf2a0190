// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollBarGeometry.h"

#include "runtime/Nearest.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ScrollBarGeometry {

namespace {

// nearest(free) \ 2: integer division that truncates toward zero.
double centred(double free)
{
    return static_cast<double>(static_cast<qint64>(runtime::nearest(free)) / 2);
}

} // namespace

bool alignmentFits(bool vertical, int alignment)
{
    return vertical ? (alignment >= 0 && alignment <= 2) : (alignment >= 3 && alignment <= 5);
}

std::optional<double> across(bool vertical, int alignment, double barThickness, double boxThickness)
{
    if (!alignmentFits(vertical, alignment))
        return std::nullopt;
    const double free = barThickness - boxThickness;
    switch (vertical ? alignment : alignment - 3) {
    case 0:
        return 0.0;
    case 1:
        // A vertical bar centres on whole twips, a horizontal one on an exact half.
        return vertical ? centred(free) : static_cast<double>(static_cast<float>(free) / 2.0f);
    default:
        return free;
    }
}

std::optional<ArrowPlaces> arrowPlaces(bool vertical, int alignment, bool shown, QSizeF bar, QSizeF nearBox,
                                       QSizeF farBox)
{
    if (vertical) {
        const std::optional<double> nearX = across(true, alignment, bar.width(), nearBox.width());
        const std::optional<double> farX = across(true, alignment, bar.width(), farBox.width());
        if (!nearX || !farX)
            return std::nullopt;
        if (shown)
            return ArrowPlaces {{*nearX, 0.0}, {*farX, bar.height() - farBox.height()}};
        return ArrowPlaces {{*nearX, -nearBox.height()}, {*farX, bar.height()}};
    }
    const std::optional<double> nearY = across(false, alignment, bar.height(), nearBox.height());
    const std::optional<double> farY = across(false, alignment, bar.height(), farBox.height());
    if (!nearY || !farY)
        return std::nullopt;
    if (shown)
        return ArrowPlaces {{0.0, *nearY}, {bar.width() - farBox.width(), *farY}};
    return ArrowPlaces {{-nearBox.width(), *nearY}, {bar.width(), *farY}};
}

double thumbLeading(qint64 value, qint64 min, qint64 max, double trackStart, double trackEnd)
{
    const qint64 range = max - min;
    if (range <= 0)
        return trackStart;
    const double ratio = std::clamp(static_cast<double>(value - min) / static_cast<double>(range), 0.0, 1.0);
    return ratio * (trackEnd - trackStart) + trackStart;
}

int dragPosition(double proposed, int trackStart, int trackEnd)
{
    double p = runtime::nearest(proposed);
    if (p >= trackEnd)
        p = trackEnd;
    if (trackStart >= p)
        p = trackStart;
    return static_cast<int>(p);
}

qint32 dragValue(double leading, int trackStart, int trackEnd, qint32 min, qint32 max)
{
    const qint64 length = qint64(trackEnd) - trackStart;
    if (length <= 0)
        return min;
    const double value
        = (leading - trackStart) / static_cast<double>(length) * static_cast<double>(qint64(max) - min) + min;
    return static_cast<qint32>(std::clamp(runtime::nearest(value), static_cast<double>(std::min(min, max)),
                                          static_cast<double>(std::max(min, max))));
}

int wholeTwips(double twips)
{
    if (std::isnan(twips))
        return 0;
    return static_cast<int>(std::clamp(runtime::nearest(twips), static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

} // namespace ScrollBarGeometry
