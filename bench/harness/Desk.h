// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop/Program.h"
#include "desktop/SessionBus.h"
#include "desktop/Xcb.h"

#include <memory>

// A display of the harness's own: an Xvfb of 1280x1024x24 with openbox
// managing it, a session bus as a desktop has one, and a connection to the
// display that the measurements use.
class Desk
{
public:
    Desk();
    ~Desk();
    Desk(const Desk &) = delete;
    Desk &operator=(const Desk &) = delete;

    bool ready() const { return m_connection && m_windowManager && m_windowManager->ready(); }
    const QString &display() const { return m_display; }
    qint64 serverPid() const { return m_server ? m_server->pid() : -1; }
    // The harness's environment with this display, for the programs it starts here.
    QProcessEnvironment environment() const;
    xcb_connection_t *connection() const { return m_connection.get(); }
    xcb_window_t root() const { return desktop::rootOf(m_connection.get()); }

private:
    bool startServer(int number);

    QString m_display;
    std::unique_ptr<desktop::Program> m_server;
    desktop::Connection m_connection {nullptr, &xcb_disconnect};
    // Without one, the first program that asks for a session bus would have one started for the
    // display on its way up.
    std::unique_ptr<desktop::SessionBus> m_sessionBus;
    std::unique_ptr<desktop::Program> m_windowManager;
};
