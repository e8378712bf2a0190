// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowProcedure.h"

#include <cstdint>
#include <functional>

// The hot-key window procedure: it takes the global hot keys' messages before
// any other procedure of the window sees them.

// What the procedure keeps for one window, for the whole run.
struct HotKeyState {
    // The procedure that was in place when this one was installed.
    platform::WindowProc PrevWndProcHotKey;
    // Lets the window's pending events run.
    std::function<void()> doEvents;
    // Switches the video to full screen and back.
    std::function<void()> toggleFullScreen;
};

// WM_HOTKEY: OnHotKey with the identifier, answered 1 and passed on to no one.
// Everything else goes on to PrevWndProcHotKey.
platform::LResult HotKeyWindowProc(HotKeyState &state, platform::MessageId uMsg, platform::WParam wParam,
                                   platform::LParam lParam);

// Lets pending events run, then acts on the key: 2 (Alt+Enter) toggles full
// screen, the others are only held.
void OnHotKey(const HotKeyState &state, std::uint8_t id);
