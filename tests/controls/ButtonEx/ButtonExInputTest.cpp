// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonExTestSupport.h"

#include "desktop/WaitFor.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// A shown window holding one 13 x 13 button at (20, 20), with a log of its events.
class InputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(100, 60);
        button = new ButtonEx(&window);
        button->InitProperties();
        styleAsCaptionButton(*button);
        button->setCaption(QStringLiteral("&X"));
        button->setGeometry(20, 20, 13, 13);
        const auto mouse = [this](const char *name) {
            return [this, name](short &b, short &s, float &x, float &y) {
                log << QStringLiteral("%1 %2 %3 %4 %5").arg(QLatin1StringView(name)).arg(b).arg(s).arg(x).arg(y);
            };
        };
        QObject::connect(button, &ButtonEx::MouseDown, mouse("MouseDown"));
        QObject::connect(button, &ButtonEx::MouseMove, mouse("MouseMove"));
        QObject::connect(button, &ButtonEx::MouseUp, mouse("MouseUp"));
        QObject::connect(button, &ButtonEx::Click, [this] { log << QStringLiteral("Click"); });
        QObject::connect(button, &ButtonEx::KeyDown,
                         [this](short &k, short &s) { log << QStringLiteral("KeyDown %1 %2").arg(k).arg(s); });
        QObject::connect(button, &ButtonEx::KeyPress,
                         [this](short &k) { log << QStringLiteral("KeyPress %1").arg(k); });
        QObject::connect(button, &ButtonEx::KeyUp,
                         [this](short &k, short &s) { log << QStringLiteral("KeyUp %1 %2").arg(k).arg(s); });
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_EQ(button->CurrentState(), ButtonEx::Up);
        pointerAway();
        log.clear();
    }

    // The platform's move notification over the button, with the pointer really there for the timer to find.
    void moveOver(QPoint inButton, Qt::MouseButtons buttons = Qt::NoButton)
    {
        QCursor::setPos(button->mapToGlobal(inButton));
        QMouseEvent move(QEvent::MouseMove, QPointF(inButton), button->mapToGlobal(QPointF(inButton)), Qt::NoButton,
                         buttons, Qt::NoModifier);
        QApplication::sendEvent(button, &move);
    }
    void pointerAway() { QCursor::setPos(window.mapToGlobal(QPoint(90, 55))); }
    QStringList takeLog() { return std::exchange(log, {}); }

    QWidget window;
    ButtonEx *button = nullptr;
    QStringList log;
};

} // namespace

TEST_F(InputTest, HoverNeedsTwoMovesAndEndsWhenThePointerLeaves)
{
    moveOver(QPoint(5, 5));
    EXPECT_TRUE(hoverTimerRunning(*button));
    EXPECT_EQ(button->CurrentState(), ButtonEx::Up); // the first move only starts the timer
    moveOver(QPoint(6, 5));
    EXPECT_EQ(button->CurrentState(), ButtonEx::Hover);
    EXPECT_EQ(takeLog(), (QStringList {QStringLiteral("MouseMove 0 0 75 75"), QStringLiteral("MouseMove 0 0 90 75")}));

    // Still inside (the right edge counts as inside): the timer keeps running.
    QCursor::setPos(button->mapToGlobal(QPoint(13, 13)));
    QTest::qWait(20);
    EXPECT_TRUE(hoverTimerRunning(*button));
    EXPECT_EQ(button->CurrentState(), ButtonEx::Hover);

    pointerAway();
    ASSERT_TRUE(waitFor([&] { return !hoverTimerRunning(*button); }, 5000));
    EXPECT_EQ(button->CurrentState(), ButtonEx::Up);
}

TEST_F(InputTest, TimerStopsWhenTheButtonIsHiddenUnderThePointer)
{
    moveOver(QPoint(5, 5));
    moveOver(QPoint(6, 6));
    ASSERT_EQ(button->CurrentState(), ButtonEx::Hover);
    window.hide();
    ASSERT_TRUE(waitFor([&] { return !hoverTimerRunning(*button); }, 5000));
    EXPECT_EQ(button->CurrentState(), ButtonEx::Up);
}

TEST_F(InputTest, LeftPressDrawsDownAndReleaseClicks)
{
    QTest::mousePress(button, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 5));
    EXPECT_EQ(button->CurrentState(), ButtonEx::Down);
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    EXPECT_EQ(button->CurrentState(), ButtonEx::Up);
    EXPECT_EQ(takeLog(),
              (QStringList {QStringLiteral("MouseDown 1 1 150 75"), QStringLiteral("MouseUp 1 0 150 75"),
                            QStringLiteral("Click")}));
}

TEST_F(InputTest, ReleaseOutsideDrawsUpWithoutClick)
{
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(40, 5));
    EXPECT_EQ(button->CurrentState(), ButtonEx::Up);
    EXPECT_FALSE(takeLog().contains(QStringLiteral("Click")));
}

TEST_F(InputTest, RightButtonDrawsNothingButRaisesItsEvents)
{
    QTest::mousePress(button, Qt::RightButton, Qt::NoModifier, QPoint(2, 3));
    EXPECT_EQ(button->CurrentState(), ButtonEx::Up);
    QTest::mouseRelease(button, Qt::RightButton, Qt::NoModifier, QPoint(2, 3));
    EXPECT_EQ(takeLog(), (QStringList {QStringLiteral("MouseDown 2 0 30 45"), QStringLiteral("MouseUp 2 0 30 45")}));
}

TEST_F(InputTest, MovesFollowTheButtonsHeld)
{
    moveOver(QPoint(3, 3)); // starts the timer
    moveOver(QPoint(4, 4), Qt::LeftButton);
    EXPECT_EQ(button->CurrentState(), ButtonEx::Down);
    button->DrawButton(ButtonEx::Up);
    moveOver(QPoint(5, 4), Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(button->CurrentState(), ButtonEx::Up);
    EXPECT_TRUE(takeLog().contains(QStringLiteral("MouseMove 3 0 75 60")));
}

TEST_F(InputTest, DesignTimeDrawsHoverAtOnceWithoutTheTimer)
{
    button->setUserMode(false);
    moveOver(QPoint(5, 5));
    EXPECT_EQ(button->CurrentState(), ButtonEx::Hover);
    EXPECT_FALSE(hoverTimerRunning(*button));
}

TEST_F(InputTest, DoubleClickIsTwoPressesAndTwoClicks)
{
    // The platform's own order: the second press arrives as a double-click notification.
    QList<ButtonEx::Look> looksAtPress;
    const auto send = [&](QEvent::Type type) {
        QMouseEvent event(type, QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
        if (type != QEvent::MouseButtonRelease)
            looksAtPress.append(ButtonEx::Look(button->CurrentState()));
    };
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease})
        send(type);
    EXPECT_EQ(takeLog(),
              (QStringList {QStringLiteral("MouseDown 1 0 75 75"), QStringLiteral("MouseUp 1 0 75 75"),
                            QStringLiteral("Click"), QStringLiteral("MouseDown 1 0 75 75"),
                            QStringLiteral("MouseUp 1 0 75 75"), QStringLiteral("Click")}));
    EXPECT_EQ(looksAtPress, (QList<ButtonEx::Look> {ButtonEx::Down, ButtonEx::Down}));
    EXPECT_EQ(button->CurrentState(), ButtonEx::Up);
}

TEST_F(InputTest, HandlersShareTheByReferenceParameters)
{
    float seen = 0;
    QObject::connect(button, &ButtonEx::MouseDown, [](short &, short &, float &x, float &) { x = 1; });
    QObject::connect(button, &ButtonEx::MouseDown, [&](short &, short &, float &x, float &) { seen = x; });
    QTest::mousePress(button, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(seen, 1.0f);

    // A queued handler could not change them, and would not even be called: that fails the test.
    bool queuedHandlerRan = false;
    QObject::connect(
        button, &ButtonEx::MouseDown, button, [&](short &, short &, float &, float &) { queuedHandlerRan = true; },
        Qt::QueuedConnection);
    EXPECT_NONFATAL_FAILURE(QTest::mousePress(button, Qt::RightButton, Qt::NoModifier, QPoint(5, 5)),
                            "Cannot queue arguments of type 'short&'");
    QCoreApplication::processEvents();
    EXPECT_FALSE(queuedHandlerRan);
}

TEST_F(InputTest, KeysArePassedOnAndSpaceDoesNotClick)
{
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_A, Qt::ShiftModifier);
    // The Shift key itself goes down and up too; the test harness types a lower-case letter.
    EXPECT_EQ(
        takeLog(),
        (QStringList {QStringLiteral("KeyDown 32 0"), QStringLiteral("KeyPress 32"), QStringLiteral("KeyUp 32 0"),
                      QStringLiteral("KeyDown 16 1"), QStringLiteral("KeyDown 65 1"), QStringLiteral("KeyPress 97"),
                      QStringLiteral("KeyUp 65 1"), QStringLiteral("KeyUp 16 0")}));
}

TEST_F(InputTest, AccessKeyClicksWithoutChangingTheLook)
{
    QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(takeLog().filter(QStringLiteral("Click")).size(), 1);
    EXPECT_EQ(button->CurrentState(), ButtonEx::Up);

    button->setEnabled(runtime::False);
    QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(takeLog().filter(QStringLiteral("Click")).isEmpty());
}

TEST_F(InputTest, FocusDrawsTheFocusFrame)
{
    button->setFocus();
    ASSERT_TRUE(waitFor([&] { return button->hasFocus(); }, 5000));
    EXPECT_TRUE(button->FocusShown());
    EXPECT_EQ(faceOf(*button).pixelColor(0, 0), role(button->palette(), QPalette::Shadow));
    button->clearFocus();
    EXPECT_FALSE(button->FocusShown());
    EXPECT_EQ(faceOf(*button).pixelColor(0, 0), role(button->palette(), QPalette::Midlight));
}

TEST_F(InputTest, DisabledButtonIgnoresThePointer)
{
    button->setEnabled(runtime::False);
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(takeLog().isEmpty());
    EXPECT_EQ(button->CurrentState(), ButtonEx::Up);
}

TEST_F(InputTest, ResizeDrawsUpThenRaisesResize)
{
    button->DrawButton(ButtonEx::Down);
    std::int32_t stateAtResize = -1;
    QObject::connect(button, &ButtonEx::Resize, [&] { stateAtResize = button->CurrentState(); });
    button->resize(20, 13);
    EXPECT_EQ(stateAtResize, ButtonEx::Up);
    EXPECT_EQ(faceOf(*button).size(), QSize(20, 13));
}

TEST_F(InputTest, AccessibleNameAndPressAction)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    button->setCaption(QStringLiteral("Fish && &Chips"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Fish & Chips"));
    button->setContainerToolTip(QStringLiteral("Minimize"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Minimize"));
    EXPECT_EQ(button->toolTip(), QStringLiteral("Minimize"));

    QAccessibleActionInterface *actions = iface->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EXPECT_EQ(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList {QStringLiteral("Alt+C")});
    takeLog();
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(takeLog(), QStringList {QStringLiteral("Click")});
}
