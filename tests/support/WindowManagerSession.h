#pragma once

#include "WaitFor.h"

#include <QProcess>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

// A window manager (openbox, with its packaged settings) on the test's own
// display, for as long as this object lives.
class WindowManagerSession
{
public:
    WindowManagerSession()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path()); // no user's settings
        m_process.setProcessEnvironment(env);
        m_process.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        m_running = m_process.waitForStarted(10000) && waitFor([] { return managing(); });
    }

    ~WindowManagerSession()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

    bool running() const { return m_running; }

private:
    // A window manager frames a window once it manages the screen: it says so
    // in the window's _NET_FRAME_EXTENTS.
    static bool managing()
    {
        const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection {xcb_connect(nullptr, nullptr),
                                                                                       &xcb_disconnect};
        xcb_connection_t *c = connection.get();
        if (xcb_connection_has_error(c))
            return false;
        const char name[] = "_NET_FRAME_EXTENTS";
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom {
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr),
            &std::free};
        if (!atom)
            return false;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        const xcb_window_t probe = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 10, 10, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(c, probe);
        const bool framed = waitFor(
            [&] {
                const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> extents {
                    xcb_get_property_reply(c, xcb_get_property(c, 0, probe, atom->atom, XCB_ATOM_CARDINAL, 0, 4),
                                           nullptr),
                    &std::free};
                return extents && xcb_get_property_value_length(extents.get()) == 16;
            },
            1000);
        xcb_destroy_window(c, probe);
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        return framed;
    }

    QTemporaryDir m_config;
    QProcess m_process;
    bool m_running = false;
};
