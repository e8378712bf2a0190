// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowSystem.h"

#ifdef KAVEL_HAVE_X11
#include <xcb/xcb.h>

namespace {

bool xServerAnswers()
{
    xcb_connection_t *probe = xcb_connect(nullptr, nullptr);
    const bool answers = !xcb_connection_has_error(probe);
    xcb_disconnect(probe);
    return answers;
}

} // namespace
#endif

QString chooseWindowSystem()
{
#ifdef KAVEL_HAVE_X11
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", "xcb");
    else if (platform != "xcb" && !platform.startsWith("xcb:"))
        return {};

    const QString display = qEnvironmentVariable("DISPLAY");
    QString reason;
    if (display.isEmpty())
        reason = QStringLiteral("DISPLAY is not set");
    else if (!xServerAnswers())
        reason = QStringLiteral("no X server answers at DISPLAY=%1").arg(display);
    else
        return {};
    return QStringLiteral("no display to show the player on (%1): start it in a desktop session, or set DISPLAY "
                          "to a running X server; under Wayland, XWayland provides one")
        .arg(reason);
#else
    return {};
#endif
}
