// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphicalButton.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace runtime {

GraphicalButton::GraphicalButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void GraphicalButton::setPicture(const Picture &picture)
{
    m_picture = picture;
    update();
}

void GraphicalButton::setDownPicture(const Picture &picture)
{
    m_downPicture = picture;
    update();
}

void GraphicalButton::setToolTipText(const QString &text)
{
    setToolTip(text);
    setAccessibleName(text);
}

QSize GraphicalButton::sizeHint() const
{
    return m_picture.handle() ? m_picture.image().size() + QSize(4, 4) : QSize(27, 23);
}

void GraphicalButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);

    const Picture &shown = isDown() && m_downPicture.handle() ? m_downPicture : m_picture;
    if (!shown.handle())
        return;
    // Centred, as the platform's graphical buttons place their picture.
    const QImage &image = shown.image();
    const QPoint topLeft((width() - image.width()) / 2, (height() - image.height()) / 2);
    painter.drawImage(topLeft, image);
}

} // namespace runtime
