// SPDX-License-Identifier: GPL-3.0-or-later
#include "FallbackHotKeys.h"

bool FallbackHotKeys::registerHotKey(int, Qt::Key, bool)
{
    return false;
}
