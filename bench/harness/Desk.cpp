// SPDX-License-Identifier: GPL-3.0-or-later
#include "Desk.h"

#include "desktop/Desktop.h"
#include "desktop/WaitFor.h"

#include <QFile>

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
    m_sessionBus = std::make_unique<desktop::SessionBus>();
    if (m_sessionBus->address().isEmpty())
        return;
    m_windowManager = desktop::startWindowManager(environment());
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
    auto server = std::make_unique<desktop::Program>(QStringLiteral("Xvfb"),
                                                     QStringList {display, QStringLiteral("-screen"),
                                                                  QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                                                                  QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                                                  QStringLiteral("-br"), QStringLiteral("-noreset")});
    desktop::Connection connection {nullptr, &xcb_disconnect};
    const auto answers = [&] {
        connection = desktop::connect(display.toLatin1());
        return !xcb_connection_has_error(connection.get());
    };
    // Another program may take the number first: the server then ends at once.
    waitFor([&] { return !server->running() || answers(); });
    if (!server->running() || xcb_connection_has_error(connection.get()))
        return false;
    m_connection = std::move(connection);
    m_display = display;
    m_server = std::move(server);
    return true;
}

QProcessEnvironment Desk::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_sessionBus ? m_sessionBus->address() : QString());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("XAUTHORITY"));
    return env;
}
