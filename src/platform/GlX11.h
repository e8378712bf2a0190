// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <optional>

struct _XDisplay; // Xlib's Display, whose header's macros would break the Qt headers

// What an X display offers a program that would draw with GL.
namespace glx11 {

// A program draws with a graphics card's GL only through the X server's direct rendering: Mesa's
// drivers through DRI3 or DRI2, NVIDIA's own through its NV-GLX. Without either, GL is software or
// indirect.
bool offersDirectRendering(_XDisplay *display);

// The renderer a GL context gets on the display, made the way the engine's GL output makes one
// (EGL on the X11 display); nothing where none can be made.
std::optional<QByteArray> rendererOf(_XDisplay *display);

} // namespace glx11
