// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Desktop.h"
#include "WaitFor.h"

#include <QDBusConnection>
#include <QProcess>
#include <QString>

// A D-Bus session bus of the test's own, for as long as the object lives, so
// that the player under test and the test meet there and nowhere else.
class SessionBus
{
public:
    SessionBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted(10000) || !waitFor([&] { return m_daemon.canReadLine(); }, 10000))
            return;
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~SessionBus()
    {
        QDBusConnection::disconnectFromBus(m_connectionName);
        desktop::stop(m_daemon);
    }
    SessionBus(const SessionBus &) = delete;
    SessionBus &operator=(const SessionBus &) = delete;

    // Empty when the bus did not start.
    const QString &address() const { return m_address; }

    // The test's own connection to the bus.
    QDBusConnection connection() const { return QDBusConnection::connectToBus(m_address, m_connectionName); }

private:
    QProcess m_daemon;
    QString m_address;
    const QString m_connectionName = QStringLiteral("test");
};
