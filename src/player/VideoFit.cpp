// SPDX-License-Identifier: GPL-3.0-or-later
#include "VideoFit.h"

#include "runtime/Nearest.h"

#include <cmath>

std::optional<QRect> fitVideo(double boxWidth, double boxHeight, int videoWidth, int videoHeight)
{
    const std::optional<qint32> pw = runtime::cLng(boxWidth);
    const std::optional<qint32> ph = runtime::cLng(boxHeight);
    if (!pw || !ph)
        return std::nullopt;
    qint64 w = 0;
    qint64 h = 0;
    if (videoHeight == *ph && videoWidth == *pw) {
        w = videoWidth;
        h = videoHeight;
    } else {
        // Without a video size the ratios cannot be formed and nothing is placed.
        if (videoWidth == 0 || videoHeight == 0)
            return std::nullopt;
        const double rh = static_cast<double>(*ph) / videoHeight;
        const double rw = static_cast<double>(*pw) / videoWidth;
        if (rw < rh) {
            w = *pw;
            h = static_cast<qint64>(std::floor(videoHeight * rw));
        } else {
            h = *ph;
            w = static_cast<qint64>(std::floor(videoWidth * rh));
        }
        if (h <= 0)
            h = 1;
        if (w <= 0)
            w = 1;
    }
    const auto x = runtime::cLng((*pw - w) / 2.0);
    const auto y = runtime::cLng((*ph - h) / 2.0);
    const auto width = runtime::cLng(static_cast<double>(w));
    const auto height = runtime::cLng(static_cast<double>(h));
    if (!x || !y || !width || !height)
        return std::nullopt;
    return QRect(*x, *y, *width, *height);
}
