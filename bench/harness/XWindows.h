// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <xcb/xcb.h>

#include <optional>

class Desk;

// The windows of the programs on a desk, as the harness finds them.
namespace xwindows {

struct ClientWindow {
    xcb_window_t id = XCB_NONE;
    // The class half of WM_CLASS ("kavel-player", "mpv").
    QString className;
    QString title;
    // Where it lies on the screen, inside any frame of the window manager.
    QRect rect;
    bool viewable = false;
};

// Every window that names its class, shown or not.
QList<ClientWindow> clientWindows(const Desk &desk);
// The first shown window of the class whose title starts with titlePrefix.
std::optional<ClientWindow> shownWindow(const Desk &desk, const QString &className, const QString &titlePrefix = {});
// The title of the first window of the class whose title starts with titlePrefix, shown or not.
QString titleOf(const Desk &desk, const QString &className, const QString &titlePrefix);
// Where the window lies now, while it is shown.
std::optional<QRect> placeOf(const Desk &desk, xcb_window_t window);
// All windows of the display, of every client.
int windowCount(const Desk &desk);
// The clients connected to the display.
int clientCount(const Desk &desk);

} // namespace xwindows
