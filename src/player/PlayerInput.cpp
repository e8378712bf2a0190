// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerInput.h"

#include "Form1.h"
#include "controls/dtVisualScrollBar/dtVisualScrollBar.h"
#include "runtime/GraphicalButton.h"

#include <QApplication>
#include <QChildEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

bool within(const QWidget *area, const QWidget *widget)
{
    return widget == area || area->isAncestorOf(widget);
}

} // namespace

PlayerInput::PlayerInput(Form1 &form)
    : m_form(form)
    , m_video(form.Picture1->findChild<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
{
    // Keys go to the focused control first: every control of the window is watched, also those
    // that come later, such as the video window.
    watch(&form);
    if (m_video)
        followThePicture(m_video);
}

void PlayerInput::watch(QWidget *widget)
{
    widget->installEventFilter(this);
    for (QWidget *child : widget->findChildren<QWidget *>())
        child->installEventFilter(this);
}

void PlayerInput::followThePicture(QWidget *picture)
{
    // In full screen the renderer's own window holds the picture and takes the keys.
    if (QWidget *window = picture->window(); window != &m_form)
        watch(window);
}

bool PlayerInput::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType()) {
            watch(static_cast<QWidget *>(child));
            if (widget == m_form.Picture1)
                m_video = static_cast<QWidget *>(child);
        }
        return false;
    case QEvent::ParentChange:
        if (widget == m_video)
            followThePicture(widget);
        return false;
    case QEvent::KeyPress:
        return takesInputFor(widget) && keyPressed(*static_cast<QKeyEvent *>(event));
    case QEvent::Wheel:
        return takesInputFor(widget) && wheelTurned(widget, *static_cast<QWheelEvent *>(event));
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton || !takesInputFor(widget)
            || !onPicture(widget))
            return false;
        m_form.ToggleFS();
        return true;
    default:
        return false;
    }
}

bool PlayerInput::takesInputFor(const QWidget *widget) const
{
    // What arrives while a file opens, or past a message the user has to answer, is not for the player.
    if (m_form.isOpening() || QApplication::activeModalWidget())
        return false;
    const QWidget *window = widget->window();
    return window == &m_form || (m_video && window == m_video->window());
}

bool PlayerInput::onPicture(const QWidget *widget) const
{
    // The renderer's full-screen window is all picture.
    return widget->window() != &m_form || within(m_form.Picture1, widget);
}

bool PlayerInput::keyPressed(const QKeyEvent &key)
{
    // Alt with the arrows belongs to the global keys; any other modifier leaves the key alone.
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // A toggle held down acts once, not on and off for as long as the key repeats.
    const bool repeated = key.isAutoRepeat();
    switch (key.key()) {
    case Qt::Key_Space:
        if (!repeated)
            playOrPause();
        return true;
    case Qt::Key_Right:
        seek(1);
        return true;
    case Qt::Key_Left:
        seek(-1);
        return true;
    case Qt::Key_Up:
        changeVolume(1);
        return true;
    case Qt::Key_Down:
        changeVolume(-1);
        return true;
    case Qt::Key_Escape:
        if (!m_form.FullScreen)
            return false;
        m_form.ToggleFS();
        return true;
    case Qt::Key_F:
        if (!repeated)
            m_form.ToggleFS();
        return true;
    default:
        return false;
    }
}

bool PlayerInput::wheelTurned(const QWidget *target, const QWheelEvent &wheel)
{
    const bool overPosition = within(m_form.H1, target);
    if (!overPosition && !within(m_form.V1, target) && !onPicture(target))
        return false;
    m_wheelRest += wheel.angleDelta().y();
    const int notches = m_wheelRest / QWheelEvent::DefaultDeltasPerStep;
    m_wheelRest -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) {
        if (overPosition)
            seek(notches);
        else
            changeVolume(notches);
    }
    return true;
}

void PlayerInput::playOrPause()
{
    const bool playing = m_form.MediaControl && m_form.MediaControl->State() == MediaGraph::GraphState::Running;
    (playing ? m_form.Command4 : m_form.Command1)->click();
}

void PlayerInput::seek(int steps)
{
    // As a drag of the thumb: the bar holds the target within the file, and its Scroll seeks.
    m_form.H1->scrollTo(qint64(m_form.H1->Value()) + qint64(steps) * SeekStep);
}

void PlayerInput::changeVolume(int steps)
{
    m_form.V1->scrollTo(qint64(m_form.V1->Value()) + qint64(steps) * VolumeStep);
}
