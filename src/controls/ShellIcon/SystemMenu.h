// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>
#include <QPointer>

// The window commands that a window's system menu offers (Restore, Move,
// Size, Minimize, Maximize, Close), each acting on the window the menu was
// shown for and offered only where it applies to that window's state.
class SystemMenu : public QMenu
{
    Q_OBJECT
public:
    explicit SystemMenu(QWidget *parent = nullptr);

    void popupFor(QWidget *window, const QPoint &globalPos);
    // The window the commands act on.
    QWidget *target() const { return m_window; }

private:
    void updateCommands();

    QPointer<QWidget> m_window;
    QAction *m_restore;
    QAction *m_move;
    QAction *m_size;
    QAction *m_minimize;
    QAction *m_maximize;
};
