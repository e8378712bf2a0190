// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWidget>
#include <QWindow>

// Shows the window and returns once the server has shown it: on a display it is painted
// for real only from then on.
inline void showAndWaitUntilExposed(QWidget &window)
{
    window.show();
    QDeadlineTimer shown(10000);
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && !shown.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}
