// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormatTime.h"

#include <cmath>

QString FormatTime(double &Seconds)
{
    Seconds = std::floor(Seconds);
    if (!(Seconds >= 1)) // also catches NaN
        return QStringLiteral("00:00:00");
    const double hours = std::floor(Seconds / 3600);
    const double minutes = std::floor((Seconds - hours * 3600) / 60);
    const double seconds = Seconds - std::floor(Seconds / 60) * 60;
    if (hours > 24)
        return QStringLiteral("24:59:59");
    // Within the 24th hour the text simply reads 24:mm:ss.
    return QStringLiteral("%1:%2:%3")
        .arg(static_cast<int>(hours), 2, 10, QLatin1Char('0'))
        .arg(static_cast<int>(minutes), 2, 10, QLatin1Char('0'))
        .arg(static_cast<int>(seconds), 2, 10, QLatin1Char('0'));
}
