// SPDX-License-Identifier: GPL-3.0-or-later
#include "DisplayCounts.h"

#include "Desk.h"
#include "desktop/ClientWindows.h"

#include <xcb/res.h>

namespace displaycounts {

int windowCount(const Desk &desk)
{
    int count = 0;
    desktop::forEachWindow(desk.connection(), desk.root(), [&](xcb_window_t) { ++count; });
    return count;
}

int clientCount(const Desk &desk)
{
    xcb_connection_t *c = desk.connection();
    const desktop::Reply<xcb_res_query_clients_reply_t> clients
        = desktop::reply(xcb_res_query_clients_reply(c, xcb_res_query_clients(c), nullptr));
    return clients ? int(clients->num_clients) : -1;
}

} // namespace displaycounts
