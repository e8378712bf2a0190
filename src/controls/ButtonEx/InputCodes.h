// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

// Keys, modifiers and mouse buttons as the control's events report them:
// virtual-key codes, Shift 1 / Ctrl 2 / Alt 4, and left 1 / right 2 / middle 4.

namespace buttonex {

short virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = {});
short shiftState(Qt::KeyboardModifiers modifiers);
short mouseButtons(Qt::MouseButtons buttons);

} // namespace buttonex
