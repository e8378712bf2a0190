// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

class Desk;

// The pointer of a desk, worked as a user works it (through the XTest extension).
namespace pointer {

// Each call is on its way to the server when it returns.
void moveTo(const Desk &desk, QPoint where);
void press(const Desk &desk);
void release(const Desk &desk);
// Waits until the server has handled everything sent before.
void sync(const Desk &desk);

} // namespace pointer
