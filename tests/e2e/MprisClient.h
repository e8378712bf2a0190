// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop/WaitFor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QString>
#include <QVariant>

// The player as the desktop's media controls see it on the session bus.

inline const QString ServiceName = QStringLiteral("org.mpris.MediaPlayer2.kavel-player");
inline const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
inline const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

// The desktop's calls, answered while the test's event loop runs.
inline QDBusMessage callPlayer(const QDBusConnection &bus, const QString &interface, const QString &method,
                               const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(ServiceName, ObjectPath, interface, method);
    message.setArguments(arguments);
    const QDBusPendingCall pending = bus.asyncCall(message);
    waitFor([&] { return pending.isFinished(); });
    return pending.isFinished() ? pending.reply() : QDBusMessage();
}

inline QVariant playerProperty(const QDBusConnection &bus, const QString &name)
{
    return callPlayer(bus, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                      {PlayerInterface, name})
        .arguments()
        .value(0)
        .value<QDBusVariant>()
        .variant();
}
