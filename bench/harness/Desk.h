#pragma once

#include "Child.h"

#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <memory>

// A display of the harness's own: an Xvfb of 1280x1024x24 with openbox
// managing it, and a connection to it that the measurements use.
class Desk
{
public:
    Desk();
    ~Desk();
    Desk(const Desk &) = delete;
    Desk &operator=(const Desk &) = delete;

    bool ready() const { return m_connection != nullptr && m_windowManager != nullptr; }
    const QString &display() const { return m_display; }
    qint64 serverPid() const { return m_server ? m_server->pid() : -1; }
    // The harness's environment with this display, for the programs it starts here.
    QProcessEnvironment environment() const;
    xcb_connection_t *connection() const { return m_connection.get(); }
    xcb_window_t root() const { return m_root; }

private:
    bool startServer(int number);
    bool windowManagerRuns() const;

    QString m_display;
    std::unique_ptr<Child> m_server;
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> m_connection {nullptr, &xcb_disconnect};
    xcb_window_t m_root = XCB_NONE;
    QTemporaryDir m_windowManagerConfig;
    std::unique_ptr<Child> m_windowManager;
};
