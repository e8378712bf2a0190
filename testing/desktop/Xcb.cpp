// SPDX-License-Identifier: GPL-3.0-or-later
#include "Xcb.h"

#include <cstring>

namespace desktop {

namespace {

Reply<xcb_get_property_reply_t> property(xcb_connection_t *c, xcb_window_t window, const char *name,
                                         std::uint32_t longs)
{
    return reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atom(c, name), XCB_GET_PROPERTY_TYPE_ANY, 0, longs), nullptr));
}

} // namespace

Connection connect(const QByteArray &display)
{
    return Connection {xcb_connect(display.isEmpty() ? nullptr : display.constData(), nullptr), &xcb_disconnect};
}

xcb_window_t rootOf(xcb_connection_t *c)
{
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> interned
        = reply(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return interned ? interned->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t windowProperty(xcb_connection_t *c, xcb_window_t window, const char *name)
{
    const Reply<xcb_get_property_reply_t> value = property(c, window, name, 1);
    if (!value || value->format != 32 || xcb_get_property_value_length(value.get()) < 4)
        return XCB_NONE;
    return *static_cast<const std::uint32_t *>(xcb_get_property_value(value.get()));
}

QString textProperty(xcb_connection_t *c, xcb_window_t window, const char *name)
{
    const Reply<xcb_get_property_reply_t> value = property(c, window, name, 1024);
    if (!value || value->format != 8)
        return {};
    const auto *bytes = static_cast<const char *>(xcb_get_property_value(value.get()));
    const int length = xcb_get_property_value_length(value.get());
    if (value->type == atom(c, "UTF8_STRING"))
        return QString::fromUtf8(bytes, length);
    return QString::fromLatin1(bytes, length);
}

} // namespace desktop
