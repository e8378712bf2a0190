// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusNotifierItem.h"

#include "StatusNotifierItemAdaptor.h"
#include "StatusNotifierWatcherNames.h"

#include <QCoreApplication>
#include <QDBusMessage>

#include <utility>

namespace {

const QString ItemPath = QStringLiteral("/StatusNotifierItem");
using statusnotifierwatcher::Interface;
using statusnotifierwatcher::Path;
using statusnotifierwatcher::Service;

} // namespace

StatusNotifierItem::StatusNotifierItem(int number, QObject *parent)
    : QObject(parent)
    , m_service(QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(QCoreApplication::applicationPid()).arg(number))
    , m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_service))
    , m_watcherOwner(Service, m_bus, QDBusServiceWatcher::WatchForOwnerChange)
{
    registerStatusNotifierItemTypes();
    new StatusNotifierItemAdaptor(this);
    if (!m_bus.registerObject(ItemPath, this, QDBusConnection::ExportAdaptors) || !m_bus.registerService(m_service))
        return;
    // A watcher that starts anew (the panel restarted) knows no items.
    connect(&m_watcherOwner, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &newOwner) {
                if (!newOwner.isEmpty())
                    registerWithWatcher();
            });
    registerWithWatcher();
}

StatusNotifierItem::~StatusNotifierItem()
{
    // The bus lets go of the item's name with its connection.
    QDBusConnection::disconnectFromBus(m_service);
}

void StatusNotifierItem::setPicture(const QImage &picture)
{
    StatusNotifierItemPixmaps pixmaps = statusNotifierItemPixmaps(picture);
    if (pixmaps == m_pixmaps)
        return;
    m_pixmaps = std::move(pixmaps);
    emit pictureChanged();
}

void StatusNotifierItem::setToolTip(const QString &toolTip)
{
    if (toolTip == m_toolTip)
        return;
    m_toolTip = toolTip;
    emit toolTipChanged();
}

void StatusNotifierItem::registerWithWatcher()
{
    // Sent without waiting for the answer: a watcher that does not answer holds nothing up.
    QDBusMessage call
        = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("RegisterStatusNotifierItem"));
    call.setArguments({m_service});
    m_bus.send(call);
}
