// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Media time as "hh:mm:ss". Seconds is truncated to whole seconds in place, as
// the callers expect; from 25 hours on the text stays at "24:59:59".
QString FormatTime(double &Seconds);
