#pragma once

#include "WaitFor.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

// The parts of a desktop the player meets on the test's own display: a window
// manager and a notification-area host, each started and stopped by the test.

namespace desktop {

inline xcb_connection_t *connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

inline xcb_atom_t atom(const char *name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply {
        xcb_intern_atom_reply(connection(), xcb_intern_atom(connection(), 0, qstrlen(name), name), nullptr),
        &std::free};
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// True while a client owns the selection (a window manager, a tray host).
inline bool selectionOwned(const char *selection)
{
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> reply {
        xcb_get_selection_owner_reply(connection(), xcb_get_selection_owner(connection(), atom(selection)), nullptr),
        &std::free};
    return reply && reply->owner != XCB_NONE;
}

// A program of the desktop, running from construction until destruction.
class Program
{
public:
    Program(const QString &program, const QStringList &arguments, const char *ownedSelection)
    {
        if (QStandardPaths::findExecutable(program).isEmpty())
            return;
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(program, arguments);
        m_ready = m_process.waitForStarted(10000) && waitFor([&] { return selectionOwned(ownedSelection); }, 20000);
    }
    ~Program()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Started and serving the display.
    bool ready() const { return m_ready; }

private:
    QProcess m_process;
    bool m_ready = false;
};

// The window manager a user's desktop has: frames, full screen, stacking.
inline std::unique_ptr<Program> startWindowManager()
{
    return std::make_unique<Program>(QStringLiteral("openbox"), QStringList {QStringLiteral("--sm-disable")}, "WM_S0");
}

// A notification area for tray icons, as a panel provides it.
inline std::unique_ptr<Program> startTrayHost()
{
    return std::make_unique<Program>(QStringLiteral("trayer"),
                                     QStringList {QStringLiteral("--edge"), QStringLiteral("bottom"),
                                                  QStringLiteral("--align"), QStringLiteral("right"),
                                                  QStringLiteral("--widthtype"), QStringLiteral("pixel"),
                                                  QStringLiteral("--width"), QStringLiteral("120"),
                                                  QStringLiteral("--height"), QStringLiteral("32")},
                                     "_NET_SYSTEM_TRAY_S0");
}

} // namespace desktop
