// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "APIStuff.h"
#include "modHotKey.h"

#include "platform/WindowProcedure.h"

#include <QRect>

#include <functional>

class WindowManagerHints;

// The main window's procedure chain with the state of its two procedures, one
// per window and run. Messages pass the hot-key procedure first, then the
// aspect-ratio procedure, then the window's own. Sizes the window manager
// makes while the user drags a border never pass here: the first size the
// chain sees is handed to the window manager as the window's aspect hint, and
// the window manager keeps those proportions itself.
class MainWindowProcedures
{
public:
    // doEvents lets the window's pending events run; toggleFullScreen is the
    // Alt+Enter command; own is the window's own procedure (none answers 0).
    MainWindowProcedures(WindowManagerHints &windowManager, std::function<void()> doEvents,
                         std::function<void()> toggleFullScreen, platform::WindowProc own = {});
    MainWindowProcedures(const MainWindowProcedures &) = delete;
    MainWindowProcedures &operator=(const MainWindowProcedures &) = delete;

    // Subclasses the window with the aspect-ratio procedure.
    void installAspectProcedure();
    // Subclasses it again, in front, with the hot-key procedure.
    void installHotKeyProcedure();
    // Puts the window's own procedure back, which removes both.
    void restoreOwnProcedure();

    platform::LResult sendMessage(platform::MessageId message, platform::WParam wParam, platform::LParam lParam);

    // A place and size the program is about to give the window, through the
    // chain; returns what to apply instead.
    QRect windowPosChanging(const QRect &proposed);
    // The place and size for the maximized window: the work area, kept in
    // proportion by the chain, and never reaching past the work area.
    QRect maximizedGeometry(const QRect &workArea);

    const AspectRatioRecord &aspectRatio() const { return m_aspect.AspectRatio; }

private:
    WindowManagerHints &m_windowManager;
    platform::WindowProcedureChain m_window;
    AspectState m_aspect;
    HotKeyState m_hotKey;
};
