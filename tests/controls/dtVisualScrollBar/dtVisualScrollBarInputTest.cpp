// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollBarTestSupport.h"
#include "runtime/PropertyBag.h"

#include <QAccessible>
#include <QTest>
#include <QWindow>

namespace {

// A horizontal bar without arrows, 3000 twips long, whose thumb is 300 twips
// wide at the start of a 0..1000 range: its track ends at 2700.
void makeSeekBar(HostedBar &hosted)
{
    hosted.drawNew(3000, 315);
    hosted.bar->setButtonsVisible(false);
    hosted.bar->setMax(1000);
    hosted.bar->setPictureThumb(pictureOf(20, 21));
    hosted.bar->setValue(0);
    hosted.clearCounts();
}

QPoint pixelsAt(double xTwips, double yTwips = 0)
{
    return {runtime::Units::twipsToPixelsX(xTwips), runtime::Units::twipsToPixelsY(yTwips)};
}

} // namespace

TEST(ThumbDrag, RaisesScrollAtEachNewPlaceAndChangeOnceAtRelease)
{
    expectStandardScreen();
    HostedBar hosted;
    makeSeekBar(hosted);
    QWidget *thumb = hosted.widget("picTHUMB");
    ASSERT_EQ(hosted.bar->picTHUMB()->left(), 0);

    QTest::mousePress(thumb, Qt::LeftButton, {}, pixelsAt(150));
    QTest::mouseMove(thumb, pixelsAt(285));
    EXPECT_EQ(hosted.bar->picTHUMB()->left(), 135);
    EXPECT_EQ(hosted.bar->Value(), 50);
    EXPECT_EQ(hosted.scrolls.count(), 1);
    EXPECT_EQ(hosted.changes.count(), 0);

    // The same place again (the thumb has moved under the pointer): nothing.
    QTest::mouseMove(thumb, pixelsAt(150));
    EXPECT_EQ(hosted.scrolls.count(), 1);

    QTest::mouseMove(thumb, pixelsAt(450));
    EXPECT_EQ(hosted.bar->picTHUMB()->left(), 435);
    EXPECT_EQ(hosted.bar->Value(), 161); // nearest(435 / 2700 * 1000)
    EXPECT_EQ(hosted.scrolls.count(), 2);

    QTest::mouseRelease(thumb, Qt::LeftButton, {}, pixelsAt(450));
    EXPECT_EQ(hosted.changes.count(), 1);
    EXPECT_EQ(hosted.scrolls.count(), 2);
    // The thumb widget follows in pixels.
    EXPECT_EQ(thumb->x(), 29);
}

// Through the window, as a real pointer arrives: the thumb keeps the pointer
// while the button is down, even once the pointer has left it.
TEST(ThumbDrag, ThumbKeepsThePointerOutsideItself)
{
    HostedBar hosted;
    makeSeekBar(hosted);
    QWindow *window = hosted.host.windowHandle();
    ASSERT_NE(window, nullptr);
    QWidget *thumb = hosted.widget("picTHUMB");
    const QPoint grab = thumb->mapTo(&hosted.host, QPoint(10, 10));
    QTest::mousePress(window, Qt::LeftButton, {}, grab);
    QTest::mouseMove(window, grab + QPoint(60, 40)); // off the bar, below it
    EXPECT_EQ(hosted.bar->picTHUMB()->left(), 900);
    EXPECT_EQ(hosted.bar->Value(), 333);
    QTest::mouseMove(window, grab + QPoint(-30, 40));
    EXPECT_EQ(hosted.bar->Value(), 0);
    QTest::mouseRelease(window, Qt::LeftButton, {}, grab + QPoint(-30, 40));
    EXPECT_EQ(hosted.scrolls.count(), 2);
    EXPECT_EQ(hosted.changes.count(), 1);

    // A press on the track beside the thumb pages instead.
    QTest::mouseClick(window, Qt::LeftButton, {}, hosted.bar->mapTo(&hosted.host, QPoint(150, 10)));
    EXPECT_EQ(hosted.bar->Value(), 10);
    EXPECT_EQ(hosted.changes.count(), 2);
}

TEST(ThumbDrag, PressAndReleaseWithoutMovingRaisesNothing)
{
    HostedBar hosted;
    makeSeekBar(hosted);
    QWidget *thumb = hosted.widget("picTHUMB");
    QTest::mousePress(thumb, Qt::LeftButton, {}, pixelsAt(150));
    QTest::mouseRelease(thumb, Qt::LeftButton, {}, pixelsAt(150));
    EXPECT_EQ(hosted.scrolls.count(), 0);
    EXPECT_EQ(hosted.changes.count(), 0);

    QTest::mousePress(thumb, Qt::LeftButton, {}, pixelsAt(150));
    QTest::mouseMove(thumb, pixelsAt(150));
    QTest::mouseRelease(thumb, Qt::LeftButton, {}, pixelsAt(150));
    EXPECT_EQ(hosted.scrolls.count(), 0);
    EXPECT_EQ(hosted.changes.count(), 0);
    EXPECT_EQ(hosted.bar->Value(), 0);
}

TEST(ThumbDrag, BeyondTheEndStopsAtMaxAndThenRaisesNothing)
{
    HostedBar hosted;
    makeSeekBar(hosted);
    QWidget *thumb = hosted.widget("picTHUMB");
    QTest::mousePress(thumb, Qt::RightButton, {}, pixelsAt(150)); // any button drags
    QTest::mouseMove(thumb, pixelsAt(9000));
    EXPECT_EQ(hosted.bar->picTHUMB()->left(), 2700);
    EXPECT_EQ(hosted.bar->Value(), 1000);
    EXPECT_EQ(hosted.scrolls.count(), 1);
    QTest::mouseMove(thumb, pixelsAt(6000));
    QTest::mouseMove(thumb, pixelsAt(600)); // relative to the moved thumb: still beyond the end
    EXPECT_EQ(hosted.scrolls.count(), 1);
    QTest::mouseMove(thumb, pixelsAt(-9000));
    EXPECT_EQ(hosted.bar->picTHUMB()->left(), 0);
    EXPECT_EQ(hosted.bar->Value(), 0);
    EXPECT_EQ(hosted.scrolls.count(), 2);
    QTest::mouseRelease(thumb, Qt::RightButton, {}, pixelsAt(0));
    EXPECT_EQ(hosted.changes.count(), 1);
}

TEST(ThumbDrag, MovementsWithoutAPressAreIgnored)
{
    HostedBar hosted;
    makeSeekBar(hosted);
    QWidget *thumb = hosted.widget("picTHUMB");
    QMouseEvent move(QEvent::MouseMove, QPointF(pixelsAt(600)), thumb->mapToGlobal(QPointF(pixelsAt(600))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(thumb, &move);
    EXPECT_EQ(hosted.bar->picTHUMB()->left(), 0);
    EXPECT_EQ(hosted.scrolls.count(), 0);
    // A release that ends no drag raises nothing either.
    QTest::mouseRelease(thumb, Qt::LeftButton, {}, pixelsAt(0));
    EXPECT_EQ(hosted.changes.count(), 0);
}

TEST(ThumbDrag, VolumeBarToItsLeftEnd)
{
    HostedBar hosted;
    runtime::PropertyBag bag;
    bag.set(QStringLiteral("max"), 0);
    bag.set(QStringLiteral("min"), -5000);
    bag.set(QStringLiteral("buttonsvisible"), false);
    bag.set(QStringLiteral("orientation"), 0);
    bag.set(QStringLiteral("thumbalignment"), 3);
    bag.set(QStringLiteral("largechange"), 100);
    bag.set(QStringLiteral("smallchange"), 10);
    bag.set(QStringLiteral("picturethumb"), QVariant::fromValue(pictureOf(27, 8)));
    bag.set(QStringLiteral("pictureleft"), QVariant::fromValue(pictureOf(16, 21)));
    bag.set(QStringLiteral("pictureright"), QVariant::fromValue(pictureOf(16, 21)));
    hosted.bar->ReadProperties(bag);
    hosted.resizeTwips(1035, 105);
    EXPECT_EQ(hosted.bar->picTHUMB()->left(), 1035 - 405); // full volume
    hosted.clearCounts();
    QWidget *thumb = hosted.widget("picTHUMB");
    QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseMove(thumb, QPoint(-200, 3));
    EXPECT_EQ(hosted.bar->Value(), -5000);
    EXPECT_EQ(hosted.scrolls.count(), 1);
    QTest::mouseRelease(thumb, Qt::LeftButton, {}, QPoint(-200, 3));
    EXPECT_EQ(hosted.changes.count(), 1);
}

TEST(ThumbDrag, ThumbAsLongAsTheBarNeverMoves)
{
    HostedBar hosted;
    makeSeekBar(hosted);
    hosted.bar->setPictureThumb(pictureOf(200, 21));
    hosted.bar->setValue(500);
    hosted.clearCounts();
    QWidget *thumb = hosted.widget("picTHUMB");
    QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(50, 5));
    QTest::mouseMove(thumb, QPoint(120, 5));
    QTest::mouseMove(thumb, QPoint(-20, 5));
    QTest::mouseRelease(thumb, Qt::LeftButton, {}, QPoint(-20, 5));
    EXPECT_EQ(hosted.scrolls.count(), 0);
    EXPECT_EQ(hosted.changes.count(), 0);
    EXPECT_EQ(hosted.bar->Value(), 500);
}

TEST(ThumbDrag, ThumbLongerThanTheTrackGoesToTheStartAtMin)
{
    HostedBar hosted;
    makeSeekBar(hosted);
    hosted.bar->setValue(600);
    // A longer thumb takes effect at the next placement; the drag works with it at once.
    hosted.bar->setPictureThumb(pictureOf(260, 21));
    hosted.clearCounts();
    QWidget *thumb = hosted.widget("picTHUMB");
    QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(thumb, QPoint(40, 5));
    EXPECT_EQ(hosted.bar->picTHUMB()->left(), 0);
    EXPECT_EQ(hosted.bar->Value(), 0);
    EXPECT_EQ(hosted.scrolls.count(), 1);
    QTest::mouseMove(thumb, QPoint(90, 5));
    EXPECT_EQ(hosted.scrolls.count(), 1);
    QTest::mouseRelease(thumb, Qt::LeftButton, {}, QPoint(90, 5));
    EXPECT_EQ(hosted.changes.count(), 1);
}

struct TrackCase {
    bool vertical;
    qint32 value;
    double pressAt; // along the bar, twips
    qint32 expected;
};

class TrackPress : public ::testing::TestWithParam<TrackCase>
{
};

TEST_P(TrackPress, PagesByLargeChangeTowardThePointer)
{
    const TrackCase &c = GetParam();
    HostedBar hosted;
    if (c.vertical)
        hosted.drawNew(315, 3000);
    else
        hosted.drawNew(3000, 315);
    hosted.bar->setMax(1000);
    hosted.bar->setValue(c.value);
    hosted.clearCounts();
    const double leading = c.vertical ? hosted.bar->picTHUMB()->top() : hosted.bar->picTHUMB()->left();
    const double at = c.pressAt < 0 ? leading : c.pressAt;
    QTest::mousePress(hosted.widget("picBG"), Qt::LeftButton, {}, c.vertical ? pixelsAt(150, at) : pixelsAt(at, 150));
    EXPECT_EQ(hosted.bar->Value(), c.expected);
    EXPECT_EQ(hosted.changes.count(), 1);
    EXPECT_EQ(hosted.scrolls.count(), 0);
    if (c.expected == 1000) {
        EXPECT_EQ(c.vertical ? hosted.bar->picTHUMB()->top() : hosted.bar->picTHUMB()->left(), 2445);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TrackPress,
                         ::testing::Values(TrackCase {true, 995, 2700, 1000}, TrackCase {true, 500, 300, 490},
                                           TrackCase {false, 500, 2700, 510}, TrackCase {false, 50, 300, 40},
                                           TrackCase {false, 5, 240, 0},
                                           // Level with the thumb's edge pages down.
                                           TrackCase {false, 0, -1, 0}));

struct ArrowCase {
    bool vertical;
    const char *arrow;
    qint64 value;
    qint64 max;
    qint64 expected;
};

class ArrowClick : public ::testing::TestWithParam<ArrowCase>
{
};

TEST_P(ArrowClick, StepsBySmallChange)
{
    const ArrowCase &c = GetParam();
    HostedBar hosted;
    if (c.vertical)
        hosted.drawNew(315, 3000);
    else
        hosted.drawNew(3000, 315);
    if (c.max != 32767)
        hosted.bar->setMax(static_cast<qint32>(c.max));
    hosted.bar->setSmallChange(7);
    hosted.bar->setValue(c.value);
    hosted.clearCounts();
    QTest::mouseClick(hosted.widget(c.arrow), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(hosted.bar->Value(), c.expected);
    EXPECT_EQ(hosted.changes.count(), 1);
    EXPECT_EQ(hosted.scrolls.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ArrowClick,
                         ::testing::Values(ArrowCase {true, "picUP", 100, 32767, 93},
                                           ArrowCase {true, "picDN", 100, 32767, 107},
                                           ArrowCase {false, "picLeft", 100, 32767, 93},
                                           ArrowCase {false, "picRight", 100, 32767, 107},
                                           // At Min the value stays and Change is still raised.
                                           ArrowCase {true, "picUP", 0, 32767, 0},
                                           // A step past the 32-bit range is held at Max, no overflow.
                                           ArrowCase {false, "picRight", 2147483647, 2147483647, 2147483647}));

TEST(ArrowClick, ReleasedElsewhereIsNoClick)
{
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    hosted.bar->setValue(100);
    hosted.clearCounts();
    QWidget *right = hosted.widget("picRight");
    QTest::mousePress(right, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(right, Qt::LeftButton, {}, QPoint(-40, 5));
    EXPECT_EQ(hosted.bar->Value(), 100);
    EXPECT_EQ(hosted.changes.count(), 0);
}

TEST(Disabled, TakesNoPointerInput)
{
    HostedBar hosted;
    makeSeekBar(hosted);
    hosted.bar->setEnabled(false);
    QTest::mousePress(hosted.widget("picBG"), Qt::LeftButton, {}, pixelsAt(2000, 150));
    QWidget *thumb = hosted.widget("picTHUMB");
    QTest::mousePress(thumb, Qt::LeftButton, {}, pixelsAt(150));
    QTest::mouseMove(thumb, pixelsAt(900));
    QTest::mouseRelease(thumb, Qt::LeftButton, {}, pixelsAt(900));
    EXPECT_EQ(hosted.bar->Value(), 0);
    EXPECT_EQ(hosted.changes.count(), 0);
    EXPECT_EQ(hosted.scrolls.count(), 0);
}

TEST(Accessibility, NamedByItsToolTipAndExposesItsValue)
{
    HostedBar hosted;
    makeSeekBar(hosted);
    hosted.bar->setContainerToolTip(QStringLiteral("Seek"));
    hosted.bar->setValue(250);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(hosted.bar);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::ScrollBar);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Seek"));
    EXPECT_EQ(iface->childCount(), 0);
    QAccessibleValueInterface *value = iface->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 250);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 1000);

    // Set by assistive technology, the value moves as a finished drag would.
    hosted.clearCounts();
    QStringList order;
    QObject::connect(hosted.bar, &dtVisualScrollBar::Scroll, [&] { order << "Scroll"; });
    QObject::connect(hosted.bar, &dtVisualScrollBar::Change, [&] { order << "Change"; });
    value->setCurrentValue(5000);
    EXPECT_EQ(hosted.bar->Value(), 1000);
    EXPECT_EQ(order, (QStringList {"Scroll", "Change"}));
    EXPECT_EQ(hosted.bar->picTHUMB()->left(), 2700);
}
