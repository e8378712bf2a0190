// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WaitFor.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

// The parts of a desktop a test meets the program on, on the test's own
// display: a window manager and a notification area, each a real program that
// runs for as long as its object lives.

namespace desktop {

using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;
template<typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// A connection of the test's own, apart from the application's.
inline Connection connect()
{
    return Connection {xcb_connect(nullptr, nullptr), &xcb_disconnect};
}

inline xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> reply {
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr), &std::free};
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// A window manager frames a window once it manages the screen, and says so in
// the window's _NET_FRAME_EXTENTS.
inline bool windowsAreFramed()
{
    const Connection connection = connect();
    xcb_connection_t *c = connection.get();
    if (xcb_connection_has_error(c))
        return false;
    const xcb_atom_t extentsAtom = atom(c, "_NET_FRAME_EXTENTS");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_window_t probe = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 10, 10, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_map_window(c, probe);
    const bool framed = waitFor(
        [&] {
            const Reply<xcb_get_property_reply_t> extents {
                xcb_get_property_reply(c, xcb_get_property(c, 0, probe, extentsAtom, XCB_ATOM_CARDINAL, 0, 4), nullptr),
                &std::free};
            return extents && xcb_get_property_value_length(extents.get()) == 16;
        },
        1000);
    xcb_destroy_window(c, probe);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return framed;
}

// True while a client owns the selection, as a notification area owns its own.
inline bool selectionOwned(const char *selection)
{
    const Connection connection = connect();
    xcb_connection_t *c = connection.get();
    if (xcb_connection_has_error(c))
        return false;
    const Reply<xcb_get_selection_owner_reply_t> reply {
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom(c, selection)), nullptr), &std::free};
    return reply && reply->owner != XCB_NONE;
}

// Ends a program the test started: asked first, then made to.
inline void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(10000);
    }
}

class Program
{
public:
    // serving tells when the started program is at work on the display.
    Program(const QString &program, const QStringList &arguments, const std::function<bool()> &serving)
    {
        if (QStandardPaths::findExecutable(program).isEmpty())
            return;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path()); // its packaged settings, not a user's
        m_process.setProcessEnvironment(env);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(program, arguments);
        m_ready = m_process.waitForStarted(10000) && waitFor(serving, 20000);
    }
    ~Program() { stop(m_process); }
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    bool ready() const { return m_ready; }

private:
    QTemporaryDir m_config;
    QProcess m_process;
    bool m_ready = false;
};

// The window manager a user's desktop has: frames, full screen, stacking.
inline std::unique_ptr<Program> startWindowManager()
{
    return std::make_unique<Program>(QStringLiteral("openbox"), QStringList {QStringLiteral("--sm-disable")},
                                     windowsAreFramed);
}

// A panel's notification area, hosting tray icons.
inline std::unique_ptr<Program> startTrayHost()
{
    return std::make_unique<Program>(QStringLiteral("trayer"),
                                     QStringList {QStringLiteral("--edge"), QStringLiteral("bottom"),
                                                  QStringLiteral("--align"), QStringLiteral("right"),
                                                  QStringLiteral("--widthtype"), QStringLiteral("pixel"),
                                                  QStringLiteral("--width"), QStringLiteral("120"),
                                                  QStringLiteral("--height"), QStringLiteral("32")},
                                     [] { return selectionOwned("_NET_SYSTEM_TRAY_S0"); });
}

} // namespace desktop
