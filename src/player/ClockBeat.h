// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <functional>

class QTimer;

// When the main window's clock ticks. The clock writes what a poll at the timer's interval would
// write, but a tick only follows a change the graph or a bar reports: a change a beat after the
// last tick is read in the same turn of the event loop, faster ones by one tick a beat later, and
// nothing ticks while there is nothing to read.
class ClockBeat : public QObject
{
    Q_OBJECT
public:
    // readable tells whether a tick could read anything now (a graph, the clock enabled, no file
    // opening).
    ClockBeat(QTimer &timer, std::function<bool()> readable);

    // Starts the beat when there is something to read, stops it otherwise.
    void follow();
    // Something the clock shows may have changed.
    void wake();

Q_SIGNALS:
    void tick();

private:
    void beat();

    QTimer &m_timer;
    std::function<bool()> m_readable;
    QElapsedTimer m_sinceTick;
    bool m_tickQueued = false;
};
