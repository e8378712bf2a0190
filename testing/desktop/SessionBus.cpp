// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionBus.h"

#include <QFile>

namespace desktop {

SessionBus::SessionBus()
{
    const QString socket = m_folder.filePath(QStringLiteral("bus"));
    const QString address = QStringLiteral("unix:path=") + socket;
    auto daemon = std::make_unique<Program>(
        QStringLiteral("dbus-daemon"),
        QStringList {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--address=") + address},
        QProcessEnvironment::systemEnvironment(), [&socket] { return QFile::exists(socket); });
    if (!daemon->ready())
        return;
    m_daemon = std::move(daemon);
    m_address = address;
}

SessionBus::~SessionBus()
{
    QDBusConnection::disconnectFromBus(m_connectionName);
}

QDBusConnection SessionBus::connection() const
{
    return QDBusConnection::connectToBus(m_address, m_connectionName);
}

} // namespace desktop
