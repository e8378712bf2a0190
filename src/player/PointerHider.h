// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

// The pointer over a full-screen picture: hidden once it has rested a while, so that it does not
// stand on the film, and shown again as soon as it moves.
class PointerHider : public QObject
{
    Q_OBJECT
public:
    // How long the pointer rests before it hides.
    static constexpr int RestMs = 2000;

    // Watches the window and every widget in it, now and later; lives as long as the window.
    explicit PointerHider(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *widget);
    void unwatch(QWidget *widget);
    void pointerMoved();
    void hidePointer();

    QWidget *m_window;
    QTimer m_rest;
    bool m_hidden = false;
};
