// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonEx.h"

#include "InputCodes.h"
#include "runtime/Units.h"

#include <QCursor>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>

using namespace buttonex;

bool ButtonEx::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        const auto *shortcut = static_cast<QShortcutEvent *>(event);
        if (shortcut->shortcutId() == m_shortcutId && m_shortcutId != 0) {
            if (isEnabled())
                emit Click();
            return true;
        }
    }
    return QWidget::event(event);
}

void ButtonEx::resizeEvent(QResizeEvent *)
{
    DrawButton(Up);
    emit Resize();
}

void ButtonEx::focusInEvent(QFocusEvent *)
{
    m_focusShown = true;
    redraw();
}

void ButtonEx::focusOutEvent(QFocusEvent *event)
{
    // The window losing activation or a popup opening does not take the focus from the control.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    m_focusShown = false;
    redraw();
}

bool ButtonEx::raiseMouse(void (ButtonEx::*signal)(short &, short &, float &, float &), QMouseEvent *event,
                          short button)
{
    short shift = shiftState(event->modifiers());
    float x = static_cast<float>(event->position().x() * runtime::Units::twipsPerPixelX(screen()));
    float y = static_cast<float>(event->position().y() * runtime::Units::twipsPerPixelY(screen()));
    const QPointer<ButtonEx> self(this);
    emit(this->*signal)(button, shift, x, y);
    return !self.isNull();
}

void ButtonEx::mousePressEvent(QMouseEvent *event)
{
    const short button = mouseButtons(event->button());
    if (button == 1) {
        m_leftPressed = true;
        DrawButton(Down);
    }
    raiseMouse(&ButtonEx::MouseDown, event, button);
}

void ButtonEx::mouseMoveEvent(QMouseEvent *event)
{
    m_pointer = event->position().toPoint();
    m_pointerLeft = false;
    const short button = mouseButtons(event->buttons());
    if (m_userMode && !m_hoverTracking) {
        m_hoverTracking = true;
    } else if (button == 0 && m_currentState != Hover) {
        DrawButton(Hover);
    } else if (button == 1 && m_currentState != Down) {
        DrawButton(Down);
    }
    pointerCheckDue();
    raiseMouse(&ButtonEx::MouseMove, event, button);
}

void ButtonEx::mouseReleaseEvent(QMouseEvent *event)
{
    const short button = mouseButtons(event->button());
    const bool clicked = button == 1 && m_leftPressed && rect().contains(event->position().toPoint());
    if (button == 1) {
        m_leftPressed = false;
        DrawButton(Up);
    }
    if (raiseMouse(&ButtonEx::MouseUp, event, button) && clicked)
        emit Click();
}

void ButtonEx::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Qt reports the second press of a double click as this notification: it is a press like the
    // first, so that two quick clicks are two clicks.
    mousePressEvent(event);
}

void ButtonEx::keyPressEvent(QKeyEvent *event)
{
    short keyCode = virtualKeyCode(event->key(), event->modifiers());
    short shift = shiftState(event->modifiers());
    const QPointer<ButtonEx> self(this);
    emit KeyDown(keyCode, shift);
    if (self.isNull())
        return;
    const QString text = event->text();
    if (!text.isEmpty() && text[0].unicode() <= 0x7FFF) {
        short keyAscii = static_cast<short>(text[0].unicode());
        emit KeyPress(keyAscii);
    }
}

void ButtonEx::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat())
        return;
    short keyCode = virtualKeyCode(event->key(), event->modifiers());
    short shift = shiftState(event->modifiers());
    emit KeyUp(keyCode, shift);
}

void ButtonEx::enterEvent(QEnterEvent *event)
{
    m_pointer = event->position().toPoint();
    m_pointerLeft = false;
}

void ButtonEx::leaveEvent(QEvent *)
{
    m_pointer.reset();
    m_pointerLeft = true;
    pointerCheckDue();
}

void ButtonEx::hideEvent(QHideEvent *)
{
    pointerCheckDue();
}

void ButtonEx::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        followOwnEnabledState();
        // A disabled face hears nothing of the pointer: the window system is asked instead.
        if (!isEnabled()) {
            m_pointer.reset();
            pointerCheckDue();
        }
    }
    QWidget::changeEvent(event);
}

void ButtonEx::pointerCheckDue()
{
    if (m_hoverTracking)
        m_timer1.start();
}

void ButtonEx::checkPointer()
{
    // While the pointer rests on the face its place is known from its own notifications. Without
    // them (a disabled face hears none) the window system is asked until it is found outside.
    // A hidden face cannot have the pointer over it, nor one whose window the pointer has left: a
    // window put over it (full screen, say) would otherwise keep this asking for as long as it stays.
    const auto outsideTheFace = [this] {
        const QPoint p = m_pointer ? *m_pointer : mapFromGlobal(QCursor::pos());
        return p.x() < 0 || p.y() < 0 || p.x() > width() || p.y() > height();
    };
    const bool covered = m_pointerLeft && !window()->underMouse();
    const bool outside = !isVisible() || covered || outsideTheFace();
    if (!outside) {
        // Until the pointer's next notification no tick can find anything else.
        if (m_pointer)
            m_timer1.stop();
        return;
    }
    m_hoverTracking = false;
    m_timer1.stop();
    if (m_currentState != Up)
        DrawButton(Up);
}

void ButtonEx::accessiblePress()
{
    if (isEnabled())
        emit Click();
}
