// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollBarPictures.h"

#include <QPainter>
#include <QPolygonF>

namespace ScrollBarPictures {

namespace {

const QColor Face(0xC0, 0xC0, 0xC0);
const QColor Light(0xFF, 0xFF, 0xFF);
const QColor Shadow(0x80, 0x80, 0x80);
const QColor DarkShadow(0x00, 0x00, 0x00);

// A raised button face with a two-pixel bevel.
QImage raisedFace(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Face);
    QPainter painter(&image);
    const int r = width - 1;
    const int b = height - 1;
    painter.setPen(Light);
    painter.drawLine(0, 0, r - 1, 0);
    painter.drawLine(0, 0, 0, b - 1);
    painter.setPen(DarkShadow);
    painter.drawLine(0, b, r, b);
    painter.drawLine(r, 0, r, b);
    painter.setPen(Shadow);
    painter.drawLine(1, b - 1, r - 1, b - 1);
    painter.drawLine(r - 1, 1, r - 1, b - 1);
    return image;
}

} // namespace

runtime::Picture thumb()
{
    return runtime::Picture(raisedFace(21, 21));
}

runtime::Picture arrow(Arrow direction)
{
    const bool vertical = direction == Arrow::Up || direction == Arrow::Down;
    QImage image = raisedFace(vertical ? 21 : 16, vertical ? 16 : 21);
    const QPointF c(image.width() / 2.0, image.height() / 2.0);
    QPolygonF glyph;
    switch (direction) {
    case Arrow::Up:
        glyph << QPointF(c.x() - 4, c.y() + 2) << QPointF(c.x() + 4, c.y() + 2) << QPointF(c.x(), c.y() - 2);
        break;
    case Arrow::Down:
        glyph << QPointF(c.x() - 4, c.y() - 2) << QPointF(c.x() + 4, c.y() - 2) << QPointF(c.x(), c.y() + 2);
        break;
    case Arrow::Left:
        glyph << QPointF(c.x() + 2, c.y() - 4) << QPointF(c.x() + 2, c.y() + 4) << QPointF(c.x() - 2, c.y());
        break;
    case Arrow::Right:
        glyph << QPointF(c.x() - 2, c.y() - 4) << QPointF(c.x() - 2, c.y() + 4) << QPointF(c.x() + 2, c.y());
        break;
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(DarkShadow);
    painter.drawPolygon(glyph);
    painter.end();
    return runtime::Picture(image);
}

} // namespace ScrollBarPictures
