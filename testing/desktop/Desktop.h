// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Program.h"

#include <memory>

// The parts of a desktop a test or the bench meets the program on: a window manager and a
// notification area, each a real program on the display the environment names.
namespace desktop {

// A window manager frames a window once it manages the screen, and says so in the window's
// _NET_FRAME_EXTENTS.
bool windowsAreFramed(const QByteArray &display = {});
// True while a client owns the selection, as a notification area owns its own.
bool selectionOwned(const char *selection, const QByteArray &display = {});

// The window manager a user's desktop has: frames, full screen, stacking.
std::unique_ptr<Program> startWindowManager(const QProcessEnvironment &environment
                                            = QProcessEnvironment::systemEnvironment());
// A panel's notification area, hosting tray icons.
std::unique_ptr<Program> startTrayHost(const QProcessEnvironment &environment
                                       = QProcessEnvironment::systemEnvironment());

} // namespace desktop
