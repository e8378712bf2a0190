// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GlobalHotKeys.h"

// Where the platform offers no global keys (Wayland, offscreen): nothing is
// registered, and every registration says so.
class FallbackHotKeys : public GlobalHotKeys
{
    Q_OBJECT
public:
    bool registerHotKey(int id, Qt::Key key, bool keypad) override;
};
