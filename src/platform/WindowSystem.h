// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Chosen before Qt starts. The embedded video window and the global keys need
// X11 (under Wayland, XWayland), so Qt is asked for it unless the caller named
// another platform; and the X11 display must answer, since Qt aborts with a
// core dump where it does not. Returns why the player cannot be shown, in one
// line, or an empty string when it can.
QString chooseWindowSystem();
