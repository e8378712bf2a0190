// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Program.h"

#include <QDBusConnection>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace desktop {

// A D-Bus session bus of the caller's own, for as long as the object lives, so that the
// programs started with its address and the caller meet there and nowhere else.
class SessionBus
{
public:
    SessionBus();
    ~SessionBus();
    SessionBus(const SessionBus &) = delete;
    SessionBus &operator=(const SessionBus &) = delete;

    // Empty when the bus did not start.
    const QString &address() const { return m_address; }

    // The caller's own connection to the bus.
    QDBusConnection connection() const;

private:
    // Where the bus's socket lies.
    QTemporaryDir m_folder;
    std::unique_ptr<Program> m_daemon;
    QString m_address;
    const QString m_connectionName = QStringLiteral("desktop-session-bus");
};

} // namespace desktop
