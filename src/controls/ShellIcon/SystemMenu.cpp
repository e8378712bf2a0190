// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemMenu.h"

#include <QWindow>

SystemMenu::SystemMenu(QWidget *parent)
    : QMenu(parent)
{
    const auto command = [this](const QString &text, auto act) {
        return addAction(text, this, [this, act] {
            if (m_window)
                act(m_window.data());
        });
    };
    m_restore = command(QStringLiteral("&Restore"), [](QWidget *w) { w->showNormal(); });
    // Moving and sizing are the window manager's, where it offers them.
    m_move = command(QStringLiteral("&Move"), [](QWidget *w) {
        if (QWindow *handle = w->windowHandle())
            handle->startSystemMove();
    });
    m_size = command(QStringLiteral("&Size"), [](QWidget *w) {
        if (QWindow *handle = w->windowHandle())
            handle->startSystemResize(Qt::RightEdge | Qt::BottomEdge);
    });
    m_minimize = command(QStringLiteral("Mi&nimize"), [](QWidget *w) { w->showMinimized(); });
    m_maximize = command(QStringLiteral("Ma&ximize"), [](QWidget *w) { w->showMaximized(); });
    addSeparator();
    command(QStringLiteral("&Close"), [](QWidget *w) { w->close(); });
}

void SystemMenu::popupFor(QWidget *window, const QPoint &globalPos)
{
    m_window = window;
    updateCommands();
    popup(globalPos);
}

void SystemMenu::updateCommands()
{
    const Qt::WindowStates state = m_window->windowState();
    const bool minimized = state & Qt::WindowMinimized;
    const bool maximized = state & (Qt::WindowMaximized | Qt::WindowFullScreen);
    const bool placed = !minimized && !maximized;
    const bool sizable = m_window->minimumSize() != m_window->maximumSize();
    const bool shown = m_window->isVisible();
    m_restore->setEnabled(!placed);
    m_move->setEnabled(placed && shown);
    m_size->setEnabled(placed && shown && sizable);
    m_minimize->setEnabled(!minimized);
    m_maximize->setEnabled(!maximized && sizable);
}
