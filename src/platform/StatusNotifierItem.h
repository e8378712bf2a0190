// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StatusNotifierItemTypes.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QSystemTrayIcon>

class QImage;

// An icon that a StatusNotifier host (a panel) draws, named and described as the player
// wants: Qt's own item would carry the program's file name as its title. The item is on the
// session bus under a name of its own for as long as the object lives, and registered with
// the desktop's watcher, again whenever a watcher takes over.
class StatusNotifierItem : public QObject
{
    Q_OBJECT
public:
    // number: unique among the process's items; it makes the item's bus name.
    explicit StatusNotifierItem(int number, QObject *parent = nullptr);
    ~StatusNotifierItem() override;

    StatusNotifierItem(const StatusNotifierItem &) = delete;
    StatusNotifierItem &operator=(const StatusNotifierItem &) = delete;

    // The name hosts reach the item by, as org.kde.StatusNotifierItem-4711-1.
    const QString &serviceName() const { return m_service; }

    void setPicture(const QImage &picture);
    const StatusNotifierItemPixmaps &pixmaps() const { return m_pixmaps; }
    void setToolTip(const QString &toolTip);
    const QString &toolTip() const { return m_toolTip; }

Q_SIGNALS:
    // A host's click on the icon: Trigger for a left one, Context for a right one.
    void activated(QSystemTrayIcon::ActivationReason reason);
    void pictureChanged();
    void toolTipChanged();

private:
    void registerWithWatcher();

    QString m_service;
    // Of the item's own: every item has the same object path.
    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcherOwner;
    StatusNotifierItemPixmaps m_pixmaps;
    QString m_toolTip;
};
