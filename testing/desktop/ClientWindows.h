// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <xcb/xcb.h>

#include <functional>
#include <optional>

// The windows the programs on a display show, found by the class they give them.
namespace desktop {

struct ClientWindow {
    xcb_window_t id = XCB_NONE;
    // The class half of WM_CLASS ("kavel-player", "mpv").
    QString className;
    QString title;
    // Where it lies on the screen, inside any frame of the window manager.
    QRect rect;
    bool viewable = false;
};

// Visits the window and every window below it, parents before their children.
void forEachWindow(xcb_connection_t *c, xcb_window_t window, const std::function<void(xcb_window_t)> &visit);

// Every window of the display that names its class, shown or not, in the order of the window tree.
QList<ClientWindow> clientWindows(xcb_connection_t *c);
// The first shown window of the class whose title starts with titlePrefix.
std::optional<ClientWindow> shownWindow(xcb_connection_t *c, const QString &className, const QString &titlePrefix = {});
// The title of the first window of the class whose title starts with titlePrefix, shown or not.
QString titleOf(xcb_connection_t *c, const QString &className, const QString &titlePrefix);

// The title the window shows: its _NET_WM_NAME, or its WM_NAME without one.
QString windowTitle(xcb_connection_t *c, xcb_window_t window);
// Where the window's own area lies on the screen, inside any frame the window manager drew.
std::optional<QRect> windowRect(xcb_connection_t *c, xcb_window_t window);
// Where the window lies now, while it is shown.
std::optional<QRect> placeOf(xcb_connection_t *c, xcb_window_t window);
bool isViewable(xcb_connection_t *c, xcb_window_t window);

} // namespace desktop
