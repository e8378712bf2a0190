// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/ClockBeat.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class ClockBeatTest : public ::testing::Test
{
protected:
    // Long enough that no busy machine stretches the test's own steps past it.
    void SetUp() override { timer.setInterval(1000); }

    // The changes reported in this turn of the event loop, read as the loop turns.
    void reportChanges(int count)
    {
        for (int i = 0; i < count; ++i)
            beat.wake();
        QCoreApplication::sendPostedEvents();
    }

    QTimer timer;
    bool readable = true;
    ClockBeat beat {timer, [this] {
                        return readable;
                    }};
    QSignalSpy ticks {&beat, &ClockBeat::tick};
};

} // namespace

TEST_F(ClockBeatTest, AChangeABeatAfterTheLastTickIsReadInTheSameTurnOnce)
{
    reportChanges(3);
    EXPECT_EQ(ticks.count(), 1);
    EXPECT_FALSE(timer.isActive()) << "nothing changed since: the clock rests";
}

TEST_F(ClockBeatTest, ChangesFasterThanTheBeatAreReadByOneTickABeatLater)
{
    reportChanges(1);
    ASSERT_EQ(ticks.count(), 1);
    reportChanges(3);
    EXPECT_EQ(ticks.count(), 1);
    EXPECT_TRUE(timer.isActive());
    EXPECT_TRUE(ticks.wait(5000));
    EXPECT_EQ(ticks.count(), 2);
    EXPECT_FALSE(timer.isActive());
}

TEST_F(ClockBeatTest, NothingToReadNothingTicks)
{
    readable = false;
    reportChanges(1);
    beat.follow();
    EXPECT_FALSE(timer.isActive());
    QTest::qWait(200);
    EXPECT_EQ(ticks.count(), 0);
    // A change reported while there was something to read, read once there is nothing any more.
    readable = true;
    beat.wake();
    readable = false;
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(ticks.count(), 0);
}
