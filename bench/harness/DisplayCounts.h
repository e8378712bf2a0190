// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Desk;

// What a desk's X server holds, as a soak watches it grow or not.
namespace displaycounts {

// All windows of the display, of every client.
int windowCount(const Desk &desk);
// The clients connected to the display.
int clientCount(const Desk &desk);

} // namespace displaycounts
