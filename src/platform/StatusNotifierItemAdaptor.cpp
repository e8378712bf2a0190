// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusNotifierItemAdaptor.h"

#include "StatusNotifierItem.h"

#include <QGuiApplication>

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(StatusNotifierItem *item)
    : QDBusAbstractAdaptor(item)
    , m_item(item)
{
    connect(item, &StatusNotifierItem::pictureChanged, this, &StatusNotifierItemAdaptor::NewIcon);
    connect(item, &StatusNotifierItem::toolTipChanged, this, &StatusNotifierItemAdaptor::NewToolTip);
}

QString StatusNotifierItemAdaptor::category() const
{
    return QStringLiteral("ApplicationStatus");
}

QString StatusNotifierItemAdaptor::id() const
{
    return QCoreApplication::applicationName();
}

QString StatusNotifierItemAdaptor::title() const
{
    return QGuiApplication::applicationDisplayName();
}

QString StatusNotifierItemAdaptor::status() const
{
    return QStringLiteral("Active");
}

int StatusNotifierItemAdaptor::windowId() const
{
    return 0;
}

QString StatusNotifierItemAdaptor::iconName() const
{
    return {};
}

StatusNotifierItemPixmaps StatusNotifierItemAdaptor::iconPixmap() const
{
    return m_item->pixmaps();
}

StatusNotifierItemToolTip StatusNotifierItemAdaptor::toolTip() const
{
    return {QString(), {}, m_item->toolTip(), QString()};
}

bool StatusNotifierItemAdaptor::itemIsMenu() const
{
    return false;
}

QDBusObjectPath StatusNotifierItemAdaptor::menu() const
{
    return QDBusObjectPath(QStringLiteral("/NO_DBUSMENU"));
}

void StatusNotifierItemAdaptor::Activate(int, int)
{
    emit m_item->activated(QSystemTrayIcon::Trigger);
}

void StatusNotifierItemAdaptor::SecondaryActivate(int, int) { }

void StatusNotifierItemAdaptor::ContextMenu(int, int)
{
    emit m_item->activated(QSystemTrayIcon::Context);
}

void StatusNotifierItemAdaptor::Scroll(int, const QString &) { }
