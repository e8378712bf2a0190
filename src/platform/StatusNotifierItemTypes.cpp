// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusNotifierItemTypes.h"

#include <QDBusMetaType>
#include <QImage>
#include <QtEndian>

namespace {

// What panels draw an item at; each takes the size nearest its own.
constexpr int PictureSizes[] = {16, 22, 32};

StatusNotifierItemPixmap pixmapOf(const QImage &picture, int size)
{
    const QImage argb = picture.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_ARGB32);
    StatusNotifierItemPixmap pixmap {argb.width(), argb.height(), QByteArray(argb.sizeInBytes(), Qt::Uninitialized)};
    // 32-bit rows have no padding.
    qToBigEndian<quint32>(argb.constBits(), argb.width() * argb.height(), pixmap.argb.data());
    return pixmap;
}

} // namespace

StatusNotifierItemPixmaps statusNotifierItemPixmaps(const QImage &picture)
{
    StatusNotifierItemPixmaps pixmaps;
    if (picture.isNull())
        return pixmaps;
    for (const int size : PictureSizes)
        pixmaps.append(pixmapOf(picture, size));
    return pixmaps;
}

void registerStatusNotifierItemTypes()
{
    qDBusRegisterMetaType<StatusNotifierItemPixmap>();
    qDBusRegisterMetaType<StatusNotifierItemPixmaps>();
    qDBusRegisterMetaType<StatusNotifierItemToolTip>();
}

QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierItemPixmap &pixmap)
{
    argument.beginStructure();
    argument << pixmap.width << pixmap.height << pixmap.argb;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierItemPixmap &pixmap)
{
    argument.beginStructure();
    argument >> pixmap.width >> pixmap.height >> pixmap.argb;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const StatusNotifierItemToolTip &toolTip)
{
    argument.beginStructure();
    argument << toolTip.iconName << toolTip.pixmaps << toolTip.title << toolTip.description;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, StatusNotifierItemToolTip &toolTip)
{
    argument.beginStructure();
    argument >> toolTip.iconName >> toolTip.pixmaps >> toolTip.title >> toolTip.description;
    argument.endStructure();
    return argument;
}
