// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WindowManagerHints.h"

// Where there is no window manager to tell (offscreen, or a platform without
// an implementation): nothing is asked, every request says so, and there is
// never a frame.
class FallbackWindowManagerHints : public WindowManagerHints
{
    Q_OBJECT
public:
    bool setAspectRatio(QSize ratio) override;
    bool requestBorderWithoutTitle() override;
    QMargins frameExtents() const override;
};
