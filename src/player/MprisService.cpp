// SPDX-License-Identifier: GPL-3.0-or-later
#include "MprisService.h"

#include "MprisPlayer.h"
#include "MprisRoot.h"

const QString MprisService::ServiceName = QStringLiteral("org.mpris.MediaPlayer2.kavel-player");
const QString MprisService::ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");

MprisService::MprisService(Form1 &form, const QDBusConnection &bus)
    : m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    // Children of the exported object, which the bus finds them through.
    auto *root = new MprisRoot(this, form);
    auto *player = new MprisPlayer(this, form, m_bus, ObjectPath);
    if (m_bus.registerObject(ObjectPath, this, QDBusConnection::ExportAdaptors)) {
        if (m_bus.registerService(ServiceName)) {
            m_registered = true;
            return;
        }
        m_bus.unregisterObject(ObjectPath);
    }
    // Not offered: nothing is left to follow the player.
    delete root;
    delete player;
}

MprisService::~MprisService()
{
    if (!m_registered)
        return;
    m_bus.unregisterService(ServiceName);
    m_bus.unregisterObject(ObjectPath);
}
