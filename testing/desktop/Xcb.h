// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

// A connection to an X display of the caller's own, apart from any application's, the
// replies it gives, and the properties windows carry.
namespace desktop {

using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;
template<typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// Takes a reply the server gave, or none, as its owner.
template<typename T> Reply<T> reply(T *raw)
{
    return {raw, &std::free};
}

// To the named display, or without a name to the one DISPLAY names.
Connection connect(const QByteArray &display = {});
// The root window of the display's first screen.
xcb_window_t rootOf(xcb_connection_t *c);

xcb_atom_t atom(xcb_connection_t *c, const char *name);
// The first 32-bit value of a property that holds a window or a cardinal; XCB_NONE when it has none.
xcb_window_t windowProperty(xcb_connection_t *c, xcb_window_t window, const char *name);
// A text property in any encoding a client writes (UTF-8 or Latin-1), "" when it has none.
QString textProperty(xcb_connection_t *c, xcb_window_t window, const char *name);

} // namespace desktop
