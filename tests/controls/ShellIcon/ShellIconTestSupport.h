// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FakeNotifyIconHost.h"
#include "QtPrinters.h"
#include "controls/ShellIcon/ShellIcon.h"

#include <QStringList>

// Writes down every event the control raises as "Name(Button)", then changes
// the handler's Button, so that the next raise shows whether it got a fresh one.
struct EventLog {
    explicit EventLog(ShellIcon &icon)
    {
        QObject::connect(&icon, &ShellIcon::MouseMove, [this] { events << QStringLiteral("MouseMove"); });
        const auto log = [this](const char *name) {
            return [this, name](short &Button) {
                events << QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(Button);
                Button = 99;
            };
        };
        QObject::connect(&icon, &ShellIcon::MouseDown, log("MouseDown"));
        QObject::connect(&icon, &ShellIcon::MouseUp, log("MouseUp"));
        QObject::connect(&icon, &ShellIcon::DblClick, log("DblClick"));
        QObject::connect(&icon, &ShellIcon::Click, log("Click"));
        QObject::connect(&icon, &ShellIcon::SingleClick, log("SingleClick"));
    }

    QStringList events;
};

inline runtime::Picture redPicture()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Qt::red);
    return runtime::Picture(image);
}
