// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <xcb/xcb.h>

// Reading the properties that windows carry.
namespace xatoms {

xcb_atom_t atom(xcb_connection_t *c, const char *name);
// The first 32-bit value of a property that holds a window or a cardinal; XCB_NONE when it has none.
xcb_window_t windowProperty(xcb_connection_t *c, xcb_window_t window, const char *name);
// A text property in any encoding a client writes (UTF-8 or Latin-1), "" when it has none.
QString textProperty(xcb_connection_t *c, xcb_window_t window, const char *name);

} // namespace xatoms
