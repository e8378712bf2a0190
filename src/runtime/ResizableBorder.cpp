// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResizableBorder.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace runtime {

namespace {

Qt::CursorShape shapeFor(Qt::Edges edges)
{
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        return edges & Qt::RightEdge ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    return horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

} // namespace

ResizableBorder::ResizableBorder(QWidget *window, int width)
    : QObject(window)
    , m_window(window)
    , m_width(width)
{
    watch(window);
}

void ResizableBorder::watch(QObject *object)
{
    object->installEventFilter(this);
    if (auto *widget = qobject_cast<QWidget *>(object))
        widget->setMouseTracking(true);
    for (QObject *child : object->children()) {
        if (child->isWidgetType())
            watch(child);
    }
}

bool ResizableBorder::isInWindow(QObject *watched) const
{
    const auto *widget = qobject_cast<QWidget *>(watched);
    return widget && widget->window() == m_window;
}

Qt::Edges ResizableBorder::edgesAt(const QPoint &globalPosition) const
{
    if (m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return {};
    const QPoint p = m_window->mapFromGlobal(globalPosition);
    if (!m_window->rect().contains(p))
        return {};
    Qt::Edges edges;
    if (p.x() < m_width)
        edges |= Qt::LeftEdge;
    if (p.x() >= m_window->width() - m_width)
        edges |= Qt::RightEdge;
    if (p.y() >= m_window->height() - m_width)
        edges |= Qt::BottomEdge;
    else if (p.y() < m_width)
        return {}; // the top corners belong to the caption buttons too
    return edges;
}

bool ResizableBorder::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded: {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType())
            watch(child);
        break;
    }
    case QEvent::MouseMove: {
        // A popup menu or dialog of the window lies outside it, whatever its place on the screen.
        if (!isInWindow(watched))
            break;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->buttons() != Qt::NoButton)
            break;
        const Qt::Edges edges = edgesAt(mouse->globalPosition().toPoint());
        if (edges) {
            m_window->setCursor(shapeFor(edges));
            m_cursorSet = true;
        } else if (m_cursorSet) {
            m_window->unsetCursor();
            m_cursorSet = false;
        }
        break;
    }
    case QEvent::MouseButtonPress: {
        if (!isInWindow(watched))
            break;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const Qt::Edges edges = edgesAt(mouse->globalPosition().toPoint());
        if (mouse->button() == Qt::LeftButton && edges && m_window->windowHandle()
            && m_window->windowHandle()->startSystemResize(edges))
            return true; // the press starts the resize, not a click on what lies under the border
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace runtime
