// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/WaitFor.h"

#include "player/PointerHider.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

TEST(PointerHiderTest, PointerHidesAtRestAndShowsWhenItMovesOverThePicture)
{
    QWidget window;
    window.resize(320, 240);
    auto *picture = new QWidget(&window);
    picture->setGeometry(40, 0, 240, 240);
    window.show();
    new PointerHider(&window);
    const auto hidden = [&] {
        return window.cursor().shape() == Qt::BlankCursor;
    };

    EXPECT_FALSE(hidden());
    EXPECT_TRUE(waitFor(hidden)) << "the pointer stays over a picture it has rested on";

    const QPointF centre = QRectF(picture->rect()).center();
    QMouseEvent move(QEvent::MouseMove, centre, picture->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
    EXPECT_FALSE(hidden()) << "the pointer stays hidden as it moves";
    EXPECT_TRUE(waitFor(hidden)) << "the pointer does not hide again";
}
