// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

// The resizable border of a window that draws no frame of its own: near its
// left, right or bottom edge the pointer shows the sizing shape, and a left
// press there hands the resize to the window manager, which also honours the
// window's size hints while it resizes. The top edge is left to the face's
// own title strip and caption buttons.

namespace runtime {

class ResizableBorder : public QObject
{
    Q_OBJECT
public:
    // width: how close to an edge, in pixels, the border reaches.
    ResizableBorder(QWidget *window, int width);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QObject *object);
    bool isInWindow(QObject *watched) const;
    Qt::Edges edgesAt(const QPoint &globalPosition) const;

    QWidget *m_window;
    int m_width;
    bool m_cursorSet = false;
};

} // namespace runtime
