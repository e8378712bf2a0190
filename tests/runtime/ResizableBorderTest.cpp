// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/ResizableBorder.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

TEST(ResizableBorder, SizingShapeNearTheSideAndBottomEdgesOnly)
{
    QWidget window;
    window.resize(200, 100);
    auto *label = new QLabel(&window); // a child covering the edge sees the border too
    label->setGeometry(0, 0, 200, 100);
    new runtime::ResizableBorder(&window, 4);
    window.show();

    const struct {
        QPoint at;
        Qt::CursorShape shape;
    } cases[] = {
        {{1, 50}, Qt::SizeHorCursor},     {{198, 50}, Qt::SizeHorCursor}, {{100, 98}, Qt::SizeVerCursor},
        {{199, 99}, Qt::SizeFDiagCursor}, {{0, 99}, Qt::SizeBDiagCursor}, {{100, 50}, Qt::ArrowCursor},
        {{100, 1}, Qt::ArrowCursor},      {{199, 1}, Qt::ArrowCursor},
    };
    for (const auto &c : cases) {
        QMouseEvent move(QEvent::MouseMove, c.at, label->mapToGlobal(c.at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &move);
        EXPECT_EQ(window.cursor().shape(), c.shape) << c.at.x() << "," << c.at.y();
    }
}

TEST(ResizableBorder, NoBorderWhileMaximized)
{
    QWidget window;
    new runtime::ResizableBorder(&window, 4);
    window.showMaximized();
    const QPoint edge(1, window.height() / 2);
    QMouseEvent move(QEvent::MouseMove, edge, window.mapToGlobal(edge), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &move);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST(ResizableBorder, PopupsOfTheWindowAreNotItsBorder)
{
    QWidget window;
    window.setGeometry(100, 100, 200, 100);
    new runtime::ResizableBorder(&window, 4);
    // A popup of the window that stands beyond its bottom right corner.
    auto *popup = new QWidget(&window, Qt::Popup);
    popup->setGeometry(400, 300, 50, 50);
    window.show();
    popup->show();
    const QPoint inPopup(10, 10);
    QMouseEvent move(QEvent::MouseMove, inPopup, popup->mapToGlobal(inPopup), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(popup, &move);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor) << "a press there would have started a resize";
}
