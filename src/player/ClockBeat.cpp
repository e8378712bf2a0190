// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClockBeat.h"

#include <QTimer>

ClockBeat::ClockBeat(QTimer &timer, std::function<bool()> readable)
    : m_timer(timer)
    , m_readable(std::move(readable))
{
    connect(&m_timer, &QTimer::timeout, this, &ClockBeat::beat);
}

void ClockBeat::follow()
{
    if (m_readable())
        m_timer.start();
    else
        m_timer.stop();
}

void ClockBeat::wake()
{
    if (m_timer.isActive() || m_tickQueued)
        return;
    // Changes that come faster than the beat are read by one tick.
    if (m_sinceTick.isValid() && m_sinceTick.elapsed() < m_timer.interval()) {
        follow();
        return;
    }
    // Not from inside the report of the change, though: what a tick sets off (an end of file, the
    // next entry) may drop the graph that reports.
    m_tickQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_tickQueued = false;
            beat();
        },
        Qt::QueuedConnection);
}

void ClockBeat::beat()
{
    // What a tick writes follows from readings that tell of every change: until one comes, the
    // next tick would read and write what this one did.
    m_timer.stop();
    if (!m_readable())
        return;
    m_sinceTick.start();
    Q_EMIT tick();
}
