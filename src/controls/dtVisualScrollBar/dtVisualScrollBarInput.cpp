// SPDX-License-Identifier: GPL-3.0-or-later
#include "dtVisualScrollBar.h"

#include "ScrollBarBox.h"
#include "ScrollBarGeometry.h"
#include "runtime/Units.h"

#include <QMouseEvent>

// Pointer input: the thumb is dragged, the track pages by LargeChange toward
// the pointer and the arrows step by SmallChange. Any mouse button does.

using ScrollBarGeometry::wholeTwips;

bool dtVisualScrollBar::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove
        && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    if (!isEnabled())
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const auto *b = static_cast<const QWidget *>(watched);
    // A second press of a quick double click is a press like any other.
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;

    if (watched == m_picTHUMB) {
        const double along = pointerAlong(b, mouse->position()) - thumbLeading();
        if (press)
            thumbPressed(along);
        else if (type == QEvent::MouseMove && m_dragging)
            thumbMoved(along);
        else if (type == QEvent::MouseButtonRelease)
            thumbReleased();
        return true;
    }
    if (watched == m_picBG) {
        if (press)
            trackPressed(pointerAlong(b, mouse->position()));
        return true;
    }
    if (press) {
        m_pressedArrow = static_cast<const ScrollBarBox *>(b);
    } else if (type == QEvent::MouseButtonRelease) {
        const bool clicked = m_pressedArrow == watched && b->rect().contains(mouse->position().toPoint());
        m_pressedArrow = nullptr;
        if (clicked) {
            const bool backwards = watched == m_picUP || watched == m_picLeft;
            setValue(qint64(m_value) + (backwards ? -qint64(m_smallChange) : qint64(m_smallChange)));
        }
    }
    return true;
}

double dtVisualScrollBar::pointerAlong(const QWidget *box, const QPointF &position) const
{
    const QPointF inControl = box->mapTo(this, position);
    return vertical() ? runtime::Units::pixelsToTwipsY(inControl.y()) : runtime::Units::pixelsToTwipsX(inControl.x());
}

double dtVisualScrollBar::thumbLeading() const
{
    return vertical() ? m_picTHUMB->top() : m_picTHUMB->left();
}

void dtVisualScrollBar::thumbPressed(double along)
{
    m_grabOffset = wholeTwips(along);
    m_dragging = true;
    m_moved = false;
    m_lastThumb = wholeTwips(thumbLeading());
}

void dtVisualScrollBar::thumbMoved(double along)
{
    int start = 0;
    int end = 0;
    if (vertical()) {
        start = wholeTwips(m_picUP->boxHeight() + m_picUP->top());
        end = wholeTwips(m_picDN->top() - m_picTHUMB->boxHeight());
    } else {
        start = wholeTwips(m_picLeft->boxWidth() + m_picLeft->left());
        end = wholeTwips(m_picRight->left() - m_picTHUMB->boxWidth());
    }
    // The thumb keeps the point that was grabbed under the pointer.
    const int proposed = ScrollBarGeometry::dragPosition(thumbLeading() + along - m_grabOffset, start, end);
    if (proposed == m_lastThumb)
        return;
    if (vertical())
        m_picTHUMB->moveTo(m_picTHUMB->left(), proposed);
    else
        m_picTHUMB->moveTo(proposed, m_picTHUMB->top());
    m_value = ScrollBarGeometry::dragValue(thumbLeading(), start, end, m_min, m_max);
    notifyAccessibleValue();
    Q_EMIT Scroll();
    m_lastThumb = proposed;
    m_moved = true;
}

void dtVisualScrollBar::thumbReleased()
{
    // Only the release that ends a drag counts; a second button let go later does not.
    const bool moved = m_dragging && m_moved;
    m_dragging = false;
    m_moved = false;
    if (moved)
        Q_EMIT Change();
}

void dtVisualScrollBar::trackPressed(double along)
{
    const qint64 step = along > thumbLeading() ? m_largeChange : -qint64(m_largeChange);
    setValue(qint64(m_value) + step);
}
