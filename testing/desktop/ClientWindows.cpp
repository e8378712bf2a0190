// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClientWindows.h"

#include "Xcb.h"

namespace desktop {

namespace {

QString classOf(xcb_connection_t *c, xcb_window_t window)
{
    // WM_CLASS holds the instance name and the class name, each ended by a zero byte.
    const QStringList names = textProperty(c, window, "WM_CLASS").split(QChar(0), Qt::SkipEmptyParts);
    return names.size() >= 2 ? names[1] : QString();
}

} // namespace

void forEachWindow(xcb_connection_t *c, xcb_window_t window, const std::function<void(xcb_window_t)> &visit)
{
    visit(window);
    const Reply<xcb_query_tree_reply_t> tree = reply(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    if (!tree)
        return;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
        forEachWindow(c, children[i], visit);
}

QList<ClientWindow> clientWindows(xcb_connection_t *c)
{
    QList<ClientWindow> windows;
    forEachWindow(c, rootOf(c), [&](xcb_window_t window) {
        const QString className = classOf(c, window);
        if (className.isEmpty())
            return;
        windows.append({window, className, windowTitle(c, window), windowRect(c, window).value_or(QRect()),
                        isViewable(c, window)});
    });
    return windows;
}

std::optional<ClientWindow> shownWindow(xcb_connection_t *c, const QString &className, const QString &titlePrefix)
{
    for (const ClientWindow &window : clientWindows(c)) {
        if (window.viewable && window.className == className && window.title.startsWith(titlePrefix))
            return window;
    }
    return std::nullopt;
}

QString titleOf(xcb_connection_t *c, const QString &className, const QString &titlePrefix)
{
    for (const ClientWindow &window : clientWindows(c)) {
        if (window.className == className && window.title.startsWith(titlePrefix))
            return window.title;
    }
    return {};
}

QString windowTitle(xcb_connection_t *c, xcb_window_t window)
{
    const QString name = textProperty(c, window, "_NET_WM_NAME");
    return name.isEmpty() ? textProperty(c, window, "WM_NAME") : name;
}

std::optional<QRect> windowRect(xcb_connection_t *c, xcb_window_t window)
{
    const Reply<xcb_get_geometry_reply_t> geometry
        = reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    if (!geometry)
        return std::nullopt;
    const Reply<xcb_translate_coordinates_reply_t> origin = reply(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, geometry->root, 0, 0), nullptr));
    if (!origin)
        return std::nullopt;
    return QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
}

std::optional<QRect> placeOf(xcb_connection_t *c, xcb_window_t window)
{
    if (!isViewable(c, window))
        return std::nullopt;
    const std::optional<QRect> rect = windowRect(c, window);
    return rect && !rect->isEmpty() ? rect : std::nullopt;
}

bool isViewable(xcb_connection_t *c, xcb_window_t window)
{
    const Reply<xcb_get_window_attributes_reply_t> attributes
        = reply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

} // namespace desktop
