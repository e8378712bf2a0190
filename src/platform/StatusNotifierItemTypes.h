// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>

class QImage;

// The pictures and the tip of a StatusNotifierItem in the form its hosts read them.

// One picture, (iiay): its pixels row after row, each an ARGB32 word in network byte order.
struct StatusNotifierItemPixmap {
    int width = 0;
    int height = 0;
    QByteArray argb;

    friend bool operator==(const StatusNotifierItemPixmap &, const StatusNotifierItemPixmap &) = default;
};
using StatusNotifierItemPixmaps = QList<StatusNotifierItemPixmap>;

// (sa(iiay)ss)
struct StatusNotifierItemToolTip {
    QString iconName;
    StatusNotifierItemPixmaps pixmaps;
    QString title;
    QString description;
};

Q_DECLARE_METATYPE(StatusNotifierItemPixmap)
Q_DECLARE_METATYPE(StatusNotifierItemToolTip)

// The picture at the sizes panels draw their items at; none for a null picture.
StatusNotifierItemPixmaps statusNotifierItemPixmaps(const QImage &picture);

// Makes the types known to Qt D-Bus, as it must before an item is on the bus.
void registerStatusNotifierItemTypes();

QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierItemPixmap &pixmap);
const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierItemPixmap &pixmap);
QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierItemToolTip &toolTip);
const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierItemToolTip &toolTip);
