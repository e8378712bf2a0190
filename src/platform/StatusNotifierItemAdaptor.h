// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StatusNotifierItemTypes.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>

class StatusNotifierItem;

// The item as hosts see it on the bus. The player pops its own menu, so the item offers none.
class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(StatusNotifierItemPixmaps IconPixmap READ iconPixmap)
    Q_PROPERTY(StatusNotifierItemToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem *item);

    QString category() const;
    QString id() const;
    QString title() const;
    QString status() const;
    int windowId() const;
    QString iconName() const;
    StatusNotifierItemPixmaps iconPixmap() const;
    StatusNotifierItemToolTip toolTip() const;
    bool itemIsMenu() const;
    QDBusObjectPath menu() const;

public Q_SLOTS:
    void Activate(int x, int y);
    void SecondaryActivate(int x, int y);
    // The player's menu opens at the pointer, wherever the host says.
    void ContextMenu(int x, int y);
    void Scroll(int delta, const QString &orientation);

Q_SIGNALS:
    void NewIcon();
    void NewToolTip();
    // The title and the status never change; hosts listen for these all the same.
    void NewTitle();
    void NewStatus(const QString &status);

private:
    StatusNotifierItem *m_item;
};
