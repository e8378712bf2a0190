// SPDX-License-Identifier: GPL-3.0-or-later
#include "XAtoms.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace xatoms {

namespace {

using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>;

PropertyReply property(xcb_connection_t *c, xcb_window_t window, const char *name, std::uint32_t longs)
{
    return {xcb_get_property_reply(
                c, xcb_get_property(c, 0, window, atom(c, name), XCB_GET_PROPERTY_TYPE_ANY, 0, longs), nullptr),
            &std::free};
}

} // namespace

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply {
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr), &std::free};
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_window_t windowProperty(xcb_connection_t *c, xcb_window_t window, const char *name)
{
    const PropertyReply reply = property(c, window, name, 1);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return XCB_NONE;
    return *static_cast<const std::uint32_t *>(xcb_get_property_value(reply.get()));
}

QString textProperty(xcb_connection_t *c, xcb_window_t window, const char *name)
{
    const PropertyReply reply = property(c, window, name, 1024);
    if (!reply || reply->format != 8)
        return {};
    const auto *bytes = static_cast<const char *>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get());
    if (reply->type == atom(c, "UTF8_STRING"))
        return QString::fromUtf8(bytes, length);
    return QString::fromLatin1(bytes, length);
}

} // namespace xatoms
