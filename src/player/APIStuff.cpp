// SPDX-License-Identifier: GPL-3.0-or-later
#include "APIStuff.h"

#include "runtime/Nearest.h"

platform::LResult AspectWindowProc(AspectState &state, platform::MessageId uMsg, platform::WParam wParam,
                                   platform::LParam lParam)
{
    auto *pos = reinterpret_cast<platform::WINDOWPOS *>(lParam);
    if (uMsg == platform::WM_WINDOWPOSCHANGING && pos && pos->cy > 0) {
        AspectRatioRecord &aspect = state.AspectRatio;
        if (!aspect.RatioSet) {
            aspect.Ratio = static_cast<float>(double(pos->cx) / pos->cy);
            aspect.RatioSet = runtime::True;
        }
        const auto current = static_cast<float>(double(pos->cx) / pos->cy);
        // A side that would not fit the record keeps its proposed value.
        if (current > aspect.Ratio) {
            if (const auto cy = runtime::cLng(pos->cx / double(aspect.Ratio)))
                pos->cy = *cy;
        } else if (const auto cx = runtime::cLng(double(aspect.Ratio) * pos->cy)) {
            pos->cx = *cx;
        }
    }
    return platform::callWindowProc(state.PrevWndProc, uMsg, wParam, lParam);
}
