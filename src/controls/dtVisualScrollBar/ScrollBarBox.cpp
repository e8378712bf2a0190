// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollBarBox.h"

#include "runtime/Units.h"

#include <QPainter>

#include <algorithm>

namespace {

// Far beyond any screen, and small enough that no pixel arithmetic overflows.
constexpr double FarthestTwips = 1.0e7;

int pixelsX(double twips)
{
    return runtime::Units::twipsToPixelsX(std::clamp(twips, -FarthestTwips, FarthestTwips));
}

int pixelsY(double twips)
{
    return runtime::Units::twipsToPixelsY(std::clamp(twips, -FarthestTwips, FarthestTwips));
}

} // namespace

ScrollBarBox::ScrollBarBox(const QString &name, runtime::OleColor backColour, QWidget *parent)
    : QWidget(parent)
    , m_backColour(backColour)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(0, 0, 0, 0);
}

void ScrollBarBox::setPicture(const runtime::Picture &picture)
{
    m_picture = picture;
    if (m_autoSize)
        sizeToPicture();
    update();
}

void ScrollBarBox::removePicture()
{
    m_picture.reset();
    update();
}

void ScrollBarBox::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize)
        sizeToPicture();
}

void ScrollBarBox::setBackColour(runtime::OleColor colour)
{
    if (m_backColour == colour)
        return;
    m_backColour = colour;
    update();
}

void ScrollBarBox::moveTo(double left, double top)
{
    setBox(left, top, m_width, m_height);
}

void ScrollBarBox::setBox(double left, double top, double width, double height)
{
    m_left = static_cast<float>(std::clamp(left, -FarthestTwips, FarthestTwips));
    m_top = static_cast<float>(std::clamp(top, -FarthestTwips, FarthestTwips));
    m_width = static_cast<float>(std::clamp(width, 0.0, FarthestTwips));
    m_height = static_cast<float>(std::clamp(height, 0.0, FarthestTwips));
    followTwips();
}

void ScrollBarBox::sizeToPicture()
{
    if (!m_picture || !m_picture->handle())
        return;
    setBox(m_left, m_top, runtime::Units::pixelsToTwipsX(m_picture->width()),
           runtime::Units::pixelsToTwipsY(m_picture->height()));
}

void ScrollBarBox::followTwips()
{
    const QRect pixels(pixelsX(m_left), pixelsY(m_top), pixelsX(m_width), pixelsY(m_height));
    // The thumb is placed a hundred times a second: leave the widget alone when
    // the pixels stay the same, so nothing is repainted.
    if (pixels != geometry())
        setGeometry(pixels);
}

void ScrollBarBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), runtime::resolveColour(m_backColour, palette()));
    if (m_picture && m_picture->handle())
        painter.drawImage(0, 0, m_picture->image());
}
