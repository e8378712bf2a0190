// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResponsiveWait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

bool waitResponsively(const std::function<bool()> &done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs, Qt::PreciseTimer);
    // Wakes the loop at the deadline should nothing else arrive; set afresh each time, since a
    // timer may fire a little before the deadline it was set for.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!done()) {
        const qint64 remaining = deadline.remainingTime();
        if (remaining <= 0)
            return false;
        wake.start(int(remaining));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}
