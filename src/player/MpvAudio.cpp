// SPDX-License-Identifier: GPL-3.0-or-later
#include "MpvAudio.h"

#include <cmath>

double mpvVolume(int volume)
{
    return 100.0 * std::pow(10.0, volume / 6000.0);
}

QByteArray mpvBalanceFilter(int balance)
{
    if (balance == 0)
        return {};
    const double left = balance > 0 ? std::pow(10.0, -balance / 2000.0) : 1.0;
    const double right = balance < 0 ? std::pow(10.0, balance / 2000.0) : 1.0;
    // aformat first, so a mono source is spread to both sides instead of losing one.
    return "@bal:lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=" + QByteArray::number(left, 'g', 9)
        + "*c0|c1=" + QByteArray::number(right, 'g', 9) + "*c1]";
}
