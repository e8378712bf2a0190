// SPDX-License-Identifier: GPL-3.0-or-later
#include "PointerHider.h"

#include <QChildEvent>
#include <QWidget>

PointerHider::PointerHider(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    m_rest.setSingleShot(true);
    m_rest.setInterval(RestMs);
    connect(&m_rest, &QTimer::timeout, this, &PointerHider::hidePointer);
    watch(window);
    for (QWidget *child : window->findChildren<QWidget *>())
        watch(child);
    m_rest.start();
}

void PointerHider::watch(QWidget *widget)
{
    // Motion without a button pressed reaches only widgets that track the mouse.
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void PointerHider::unwatch(QWidget *widget)
{
    widget->removeEventFilter(this);
    widget->setMouseTracking(false);
}

bool PointerHider::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            watch(static_cast<QWidget *>(child));
        break;
    case QEvent::ChildRemoved:
        // The video window goes back into the main window, where the pointer always shows.
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            unwatch(static_cast<QWidget *>(child));
        break;
    case QEvent::MouseMove:
        pointerMoved();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void PointerHider::pointerMoved()
{
    if (m_hidden) {
        m_hidden = false;
        m_window->unsetCursor();
    }
    m_rest.start();
}

void PointerHider::hidePointer()
{
    // Widgets within the window that have no pointer of their own show the window's, the
    // engine's own window in the video window among them.
    m_hidden = true;
    m_window->setCursor(Qt::BlankCursor);
}
