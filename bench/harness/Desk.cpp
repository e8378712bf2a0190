// SPDX-License-Identifier: GPL-3.0-or-later
#include "Desk.h"

#include "XAtoms.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <array>
#include <utility>

namespace {

// mpv takes only displays :0 to :9 for local ones and draws through shared memory only there, as
// on a user's desktop: the free ones of those first (the bench starts five at most). Then
// above the numbers xvfb-run and the tests pick, below the ones other tools use.
constexpr std::array<std::pair<int, int>, 2> DisplayRanges {{{1, 9}, {140, 239}}};

bool displayTaken(int number)
{
    return QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))
        || QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number));
}

} // namespace

Desk::Desk()
{
    for (const auto &[first, last] : DisplayRanges) {
        for (int number = first; number <= last && !m_connection; ++number) {
            if (!displayTaken(number))
                startServer(number);
        }
    }
    if (!m_connection)
        return;
    // Without one, the first program that asks for a session bus would have one started for the
    // display on its way up.
    auto bus = std::make_unique<Child>(QStringLiteral("dbus-daemon"),
                                       QStringList {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                    QStringLiteral("--address=") + busAddress()},
                                       QProcessEnvironment::systemEnvironment());
    QDeadlineTimer busDeadline(10000);
    while (bus->running() && !QFile::exists(m_folder.filePath(QStringLiteral("bus"))) && !busDeadline.hasExpired())
        QThread::msleep(20);
    if (!QFile::exists(m_folder.filePath(QStringLiteral("bus"))))
        return;
    m_sessionBus = std::move(bus);
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder.filePath(QStringLiteral("config"))); // its packaged settings
    auto windowManager
        = std::make_unique<Child>(QStringLiteral("openbox"), QStringList {QStringLiteral("--sm-disable")}, env);
    QDeadlineTimer deadline(20000);
    while (windowManager->running() && !windowManagerRuns() && !deadline.hasExpired())
        QThread::msleep(20);
    if (windowManagerRuns())
        m_windowManager = std::move(windowManager);
}

Desk::~Desk()
{
    m_windowManager.reset();
    m_sessionBus.reset();
    m_connection.reset();
    m_server.reset();
}

bool Desk::startServer(int number)
{
    const QString display = QStringLiteral(":%1").arg(number);
    auto server = std::make_unique<Child>(QStringLiteral("Xvfb"),
                                          QStringList {display, QStringLiteral("-screen"), QStringLiteral("0"),
                                                       QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                                       QStringLiteral("tcp"), QStringLiteral("-br"),
                                                       QStringLiteral("-noreset")},
                                          QProcessEnvironment::systemEnvironment());
    QDeadlineTimer deadline(10000);
    // Another program may take the number first: the server then ends at once.
    while (server->running() && !deadline.hasExpired()) {
        xcb_connection_t *c = xcb_connect(display.toLatin1().constData(), nullptr);
        if (!xcb_connection_has_error(c)) {
            m_connection.reset(c);
            m_root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
            m_display = display;
            m_server = std::move(server);
            return true;
        }
        xcb_disconnect(c);
        QThread::msleep(20);
    }
    return false;
}

bool Desk::windowManagerRuns() const
{
    // A window manager names itself through a window on the root.
    return xatoms::windowProperty(m_connection.get(), m_root, "_NET_SUPPORTING_WM_CHECK") != XCB_NONE;
}

QString Desk::busAddress() const
{
    return QStringLiteral("unix:path=") + m_folder.filePath(QStringLiteral("bus"));
}

QProcessEnvironment Desk::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("XAUTHORITY"));
    return env;
}
