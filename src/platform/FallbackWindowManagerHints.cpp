// SPDX-License-Identifier: GPL-3.0-or-later
#include "FallbackWindowManagerHints.h"

bool FallbackWindowManagerHints::setAspectRatio(QSize)
{
    return false;
}

bool FallbackWindowManagerHints::requestBorderWithoutTitle()
{
    return false;
}

QMargins FallbackWindowManagerHints::frameExtents() const
{
    return {};
}
