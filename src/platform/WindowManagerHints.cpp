// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowManagerHints.h"

#include "FallbackWindowManagerHints.h"

#ifdef KAVEL_HAVE_X11
#include "X11WindowManagerHints.h"

#include <QGuiApplication>
#endif

std::unique_ptr<WindowManagerHints> WindowManagerHints::create(QWidget *window)
{
#ifdef KAVEL_HAVE_X11
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
            return std::make_unique<X11WindowManagerHints>(window, x11->connection());
    }
#endif
    return std::make_unique<FallbackWindowManagerHints>();
}
