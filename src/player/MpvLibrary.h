// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine's library, with the two hundred libraries it depends on, takes longer to load
// than the window takes to build. Where the system can load libraries at run time, the
// program does not link it: the engine's functions are opened on a thread of their own while
// the window is built, and a call to any of them waits until they are there.
namespace MpvLibrary {

// Starts loading on a thread of its own. Without it, the first call to the engine loads.
void startLoading();

// Whether the engine's functions can be called without waiting: loaded, or found missing.
// Starts the load where nothing has yet.
bool isLoaded();

} // namespace MpvLibrary
