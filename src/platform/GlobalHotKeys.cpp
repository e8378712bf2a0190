// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlobalHotKeys.h"

#include "FallbackHotKeys.h"

#ifdef KAVEL_HAVE_X11
#include "X11HotKeys.h"

#include <QGuiApplication>
#endif

std::unique_ptr<GlobalHotKeys> GlobalHotKeys::create()
{
#ifdef KAVEL_HAVE_X11
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
            return std::make_unique<X11HotKeys>(x11->connection());
    }
#endif
    return std::make_unique<FallbackHotKeys>();
}
