// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Child.h"

#include <QTemporaryDir>

#include <xcb/xcb.h>

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

    bool ready() const { return m_connection != nullptr && m_sessionBus != nullptr && m_windowManager != nullptr; }
    const QString &display() const { return m_display; }
    qint64 serverPid() const { return m_server ? m_server->pid() : -1; }
    // The harness's environment with this display, for the programs it starts here.
    QProcessEnvironment environment() const;
    xcb_connection_t *connection() const { return m_connection.get(); }
    xcb_window_t root() const { return m_root; }

private:
    bool startServer(int number);
    bool windowManagerRuns() const;
    QString busAddress() const;

    QString m_display;
    std::unique_ptr<Child> m_server;
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> m_connection {nullptr, &xcb_disconnect};
    xcb_window_t m_root = XCB_NONE;
    // The session bus's socket and the window manager's settings.
    QTemporaryDir m_folder;
    std::unique_ptr<Child> m_sessionBus;
    std::unique_ptr<Child> m_windowManager;
};
