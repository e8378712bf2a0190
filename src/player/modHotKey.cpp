// SPDX-License-Identifier: GPL-3.0-or-later
#include "modHotKey.h"

#include <limits>

platform::LResult HotKeyWindowProc(HotKeyState &state, platform::MessageId uMsg, platform::WParam wParam,
                                   platform::LParam lParam)
{
    if (uMsg == platform::WM_HOTKEY) {
        // An identifier beyond a byte is none of ours; taking its low byte
        // would act for a key that was not pressed.
        if (wParam <= std::numeric_limits<std::uint8_t>::max())
            OnHotKey(state, static_cast<std::uint8_t>(wParam));
        return 1;
    }
    return platform::callWindowProc(state.PrevWndProcHotKey, uMsg, wParam, lParam);
}

void OnHotKey(const HotKeyState &state, std::uint8_t id)
{
    if (state.doEvents)
        state.doEvents();
    if (id == 2 && state.toggleFullScreen)
        state.toggleFullScreen();
}
