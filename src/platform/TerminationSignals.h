// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// The requests to end the program that arrive as signals (SIGINT from a
// terminal, SIGTERM from the session or a process manager, SIGHUP when the
// terminal goes away), delivered on the user-interface thread so that the
// program ends by its own exit sequence. One object at a time; the signals'
// previous handling comes back when it goes.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals &) = delete;
    TerminationSignals &operator=(const TerminationSignals &) = delete;

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    int m_sockets[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
};
