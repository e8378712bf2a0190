// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowProcedure.h"

#include <cstdint>

// The aspect-ratio window procedure: every size the main window is about to
// take keeps the proportions of the first one it was given.

// Fixed by the first proposed size with a height, and never reset.
struct AspectRatioRecord {
    std::int16_t RatioSet = 0; // 16-bit Boolean
    float Ratio = 0.0F; // width / height
};

// What the procedure keeps for one window, for the whole run.
struct AspectState {
    // The procedure it passes every message on to: the window's own.
    platform::WindowProc PrevWndProc;
    AspectRatioRecord AspectRatio;
};

// On WM_WINDOWPOSCHANGING with a proposed height above 0, a proposal
// relatively wider than the ratio gets a taller height, any other an
// adjusted width. Every message then goes on to PrevWndProc.
platform::LResult AspectWindowProc(AspectState &state, platform::MessageId uMsg, platform::WParam wParam,
                                   platform::LParam lParam);
