// SPDX-License-Identifier: GPL-3.0-or-later
#include "XWindows.h"

#include "Desk.h"
#include "XAtoms.h"

#include <xcb/res.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

namespace xwindows {

namespace {

template<typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

void forEachWindow(xcb_connection_t *c, xcb_window_t window, const std::function<void(xcb_window_t)> &visit)
{
    visit(window);
    const Reply<xcb_query_tree_reply_t> tree {xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr), &std::free};
    if (!tree)
        return;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
        forEachWindow(c, children[i], visit);
}

QString classOf(xcb_connection_t *c, xcb_window_t window)
{
    // WM_CLASS holds the instance name and the class name, each ended by a zero byte.
    const QStringList names = xatoms::textProperty(c, window, "WM_CLASS").split(QChar(0), Qt::SkipEmptyParts);
    return names.size() >= 2 ? names[1] : QString();
}

QRect screenRect(xcb_connection_t *c, xcb_window_t root, xcb_window_t window)
{
    const Reply<xcb_get_geometry_reply_t> geometry {xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr),
                                                    &std::free};
    const Reply<xcb_translate_coordinates_reply_t> origin {
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root, 0, 0), nullptr), &std::free};
    if (!geometry || !origin)
        return {};
    return QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
}

bool viewable(xcb_connection_t *c, xcb_window_t window)
{
    const Reply<xcb_get_window_attributes_reply_t> attributes {
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr), &std::free};
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

QString titleOfWindow(xcb_connection_t *c, xcb_window_t window)
{
    const QString name = xatoms::textProperty(c, window, "_NET_WM_NAME");
    return name.isEmpty() ? xatoms::textProperty(c, window, "WM_NAME") : name;
}

} // namespace

QList<ClientWindow> clientWindows(const Desk &desk)
{
    xcb_connection_t *c = desk.connection();
    QList<ClientWindow> windows;
    forEachWindow(c, desk.root(), [&](xcb_window_t window) {
        const QString className = classOf(c, window);
        if (className.isEmpty())
            return;
        windows.append(
            {window, className, titleOfWindow(c, window), screenRect(c, desk.root(), window), viewable(c, window)});
    });
    return windows;
}

std::optional<ClientWindow> shownWindow(const Desk &desk, const QString &className, const QString &titlePrefix)
{
    for (const ClientWindow &window : clientWindows(desk)) {
        if (window.viewable && window.className == className && window.title.startsWith(titlePrefix))
            return window;
    }
    return std::nullopt;
}

QString titleOf(const Desk &desk, const QString &className, const QString &titlePrefix)
{
    for (const ClientWindow &window : clientWindows(desk)) {
        if (window.className == className && window.title.startsWith(titlePrefix))
            return window.title;
    }
    return {};
}

std::optional<QRect> placeOf(const Desk &desk, xcb_window_t window)
{
    if (!viewable(desk.connection(), window))
        return std::nullopt;
    const QRect rect = screenRect(desk.connection(), desk.root(), window);
    return rect.isEmpty() ? std::nullopt : std::optional(rect);
}

int windowCount(const Desk &desk)
{
    int count = 0;
    forEachWindow(desk.connection(), desk.root(), [&](xcb_window_t) { ++count; });
    return count;
}

int clientCount(const Desk &desk)
{
    xcb_connection_t *c = desk.connection();
    const Reply<xcb_res_query_clients_reply_t> clients {
        xcb_res_query_clients_reply(c, xcb_res_query_clients(c), nullptr), &std::free};
    return clients ? int(clients->num_clients) : -1;
}

} // namespace xwindows
