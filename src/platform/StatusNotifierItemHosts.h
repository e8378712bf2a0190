// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

#include <optional>

class QDBusMessage;

// Whether the desktop shows StatusNotifierItems: its watcher says whether a host (a panel) is
// registered. Asked once when the object is made, waiting a moment at most; followed from
// then on without waiting, as hosts and watchers come and go.
class StatusNotifierItemHosts : public QObject
{
    Q_OBJECT
public:
    explicit StatusNotifierItemHosts(const QDBusConnection &bus);

    // Nothing while a watcher is there but has not answered.
    std::optional<bool> registered() const { return m_registered; }

Q_SIGNALS:
    void registeredChanged();

private Q_SLOTS:
    void askAgain();

private:
    void take(const QDBusMessage &answer);

    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcherOwner;
    // Only the answer to the last question counts.
    quint64 m_questionsAsked = 0;
    std::optional<bool> m_registered = false;
};
