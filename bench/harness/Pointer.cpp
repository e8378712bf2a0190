// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pointer.h"

#include "Desk.h"

#include <xcb/xtest.h>

#include <cstdlib>

namespace pointer {

namespace {

constexpr std::uint8_t LeftButton = 1;

void fake(const Desk &desk, std::uint8_t type, std::uint8_t detail, QPoint where = {})
{
    xcb_test_fake_input(desk.connection(), type, detail, XCB_CURRENT_TIME, desk.root(), std::int16_t(where.x()),
                        std::int16_t(where.y()), XCB_NONE);
    xcb_flush(desk.connection());
}

} // namespace

void moveTo(const Desk &desk, QPoint where)
{
    fake(desk, XCB_MOTION_NOTIFY, 0, where);
}

void press(const Desk &desk)
{
    fake(desk, XCB_BUTTON_PRESS, LeftButton);
}

void release(const Desk &desk)
{
    fake(desk, XCB_BUTTON_RELEASE, LeftButton);
}

void sync(const Desk &desk)
{
    xcb_connection_t *c = desk.connection();
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

} // namespace pointer
