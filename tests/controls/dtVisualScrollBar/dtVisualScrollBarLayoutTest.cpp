// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollBarTestSupport.h"
#include "runtime/PropertyBag.h"

namespace {

QRectF twipsOf(const ScrollBarBox *box)
{
    return {box->left(), box->top(), box->boxWidth(), box->boxHeight()};
}

} // namespace

struct ShapeCase {
    double width;
    double height;
    qint32 orientation;
    qint32 alignment;
    double thicknessAfter; // width of a vertical bar, height of a horizontal one
};

class FirstLayout : public ::testing::TestWithParam<ShapeCase>
{
};

TEST_P(FirstLayout, ChoosesOrientationFromTheShape)
{
    expectStandardScreen();
    const ShapeCase &c = GetParam();
    HostedBar hosted;
    hosted.drawNew(c.width, c.height);
    EXPECT_EQ(hosted.bar->Orientation(), c.orientation);
    EXPECT_EQ(hosted.bar->ThumbAlignment(), c.alignment);
    const double thickness
        = c.orientation == dtVisualScrollBar::Vertical ? hosted.bar->width() * 15.0 : hosted.bar->height() * 15.0;
    EXPECT_EQ(thickness, c.thicknessAfter);
    EXPECT_EQ(twipsOf(hosted.bar->picBG()), QRectF(0, 0, hosted.bar->width() * 15.0, hosted.bar->height() * 15.0));
}

INSTANTIATE_TEST_SUITE_P(Shapes, FirstLayout,
                         ::testing::Values(ShapeCase {3000, 500, 0, 4, 315}, ShapeCase {400, 2000, 1, 1, 315},
                                           ShapeCase {1005, 1005, 1, 1, 315}));

TEST(Layout, HorizontalWithArrows)
{
    expectStandardScreen();
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    hosted.bar->setMax(100);
    const auto *bar = hosted.bar;
    EXPECT_EQ(twipsOf(bar->picLeft()), QRectF(0, 0, 240, 315));
    EXPECT_EQ(twipsOf(bar->picRight()), QRectF(2760, 0, 240, 315));
    EXPECT_FALSE(bar->picLeft()->isHidden());
    EXPECT_FALSE(bar->picRight()->isHidden());
    EXPECT_TRUE(bar->picUP()->isHidden());
    EXPECT_TRUE(bar->picDN()->isHidden());

    hosted.bar->setValue(0);
    EXPECT_EQ(twipsOf(bar->picTHUMB()), QRectF(240, 0, 315, 315));
    hosted.bar->setValue(100);
    EXPECT_EQ(bar->picTHUMB()->left(), 2445);
    hosted.bar->setValue(50);
    EXPECT_EQ(bar->picTHUMB()->left(), 1342.5); // not rounded
    // The widget follows in whole pixels.
    EXPECT_EQ(bar->picTHUMB()->geometry(), QRect(90, 0, 21, 21));
}

TEST(Layout, HorizontalWithoutArrows)
{
    expectStandardScreen();
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    hosted.bar->setMax(100);
    hosted.bar->setButtonsVisible(false);
    const auto *bar = hosted.bar;
    EXPECT_EQ(bar->picLeft()->left(), -240);
    EXPECT_EQ(bar->picRight()->left(), 3000);
    EXPECT_TRUE(bar->picLeft()->isHidden());
    EXPECT_TRUE(bar->picRight()->isHidden());
    hosted.bar->setValue(0);
    EXPECT_EQ(bar->picTHUMB()->left(), 0);
    hosted.bar->setValue(100);
    EXPECT_EQ(bar->picTHUMB()->left(), 2685);
    hosted.bar->setValue(50);
    EXPECT_EQ(bar->picTHUMB()->left(), 1342.5);
}

TEST(Layout, VerticalWithAndWithoutArrows)
{
    expectStandardScreen();
    HostedBar hosted;
    hosted.drawNew(315, 3000);
    hosted.bar->setMax(100);
    const auto *bar = hosted.bar;
    ASSERT_EQ(bar->Orientation(), dtVisualScrollBar::Vertical);
    EXPECT_EQ(twipsOf(bar->picUP()), QRectF(0, 0, 315, 240));
    EXPECT_EQ(twipsOf(bar->picDN()), QRectF(0, 2760, 315, 240));
    hosted.bar->setValue(0);
    EXPECT_EQ(twipsOf(bar->picTHUMB()), QRectF(0, 240, 315, 315));
    hosted.bar->setValue(100);
    EXPECT_EQ(bar->picTHUMB()->top(), 2445);

    // A wider bar centres arrows and thumb.
    hosted.resizeTwips(405, 3000);
    EXPECT_EQ(bar->picUP()->left(), 45);
    EXPECT_EQ(bar->picTHUMB()->left(), 45);

    hosted.bar->setButtonsVisible(false);
    EXPECT_EQ(bar->picUP()->top(), -240);
    EXPECT_EQ(bar->picDN()->top(), 3000);
    EXPECT_EQ(bar->picTHUMB()->top(), 2685);
    hosted.bar->setValue(50);
    EXPECT_EQ(bar->picTHUMB()->top(), 1342.5);
}

TEST(Layout, PositionBarOfTheMainWindow)
{
    expectStandardScreen();
    HostedBar hosted;
    runtime::PropertyBag bag;
    bag.set(QStringLiteral("max"), 1000);
    bag.set(QStringLiteral("buttonsvisible"), false);
    bag.set(QStringLiteral("orientation"), 0);
    bag.set(QStringLiteral("thumbalignment"), 3);
    bag.set(QStringLiteral("largechange"), 100);
    bag.set(QStringLiteral("picturebackground"), QVariant::fromValue(pictureOf(2048, 7)));
    bag.set(QStringLiteral("pictureup"), QVariant::fromValue(pictureOf(27, 8)));
    bag.set(QStringLiteral("picturedown"), QVariant::fromValue(pictureOf(27, 8)));
    bag.set(QStringLiteral("pictureright"), QVariant::fromValue(pictureOf(16, 21)));
    bag.set(QStringLiteral("pictureleft"), QVariant::fromValue(pictureOf(16, 21)));
    bag.set(QStringLiteral("picturethumb"), QVariant::fromValue(pictureOf(27, 8)));
    hosted.bar->ReadProperties(bag);
    // The background picture sizes the control; the main window then sets its width.
    EXPECT_EQ(hosted.bar->size(), QSize(2048, 7));
    hosted.resizeTwips(3240, 105);
    const auto *thumb = hosted.bar->picTHUMB();
    EXPECT_EQ(twipsOf(thumb), QRectF(0, 0, 405, 120));
    hosted.bar->setValue(1000);
    EXPECT_EQ(thumb->left(), 3240 - 405);
    EXPECT_EQ(thumb->top(), 0);
    // The background keeps its natural size inside the bar's box and is clipped there.
    EXPECT_EQ(twipsOf(hosted.bar->picBG()), QRectF(0, 0, 3240, 105));
    EXPECT_EQ(hosted.bar->picBG()->picture()->width(), 2048);
}

TEST(Layout, MismatchedAlignmentLeavesArrowsAndThumbInPlace)
{
    expectStandardScreen();
    HostedBar hosted;
    runtime::PropertyBag bag;
    bag.set(QStringLiteral("ThumbAlignment"), 4); // a horizontal alignment on a vertical bar
    bag.set(QStringLiteral("Max"), 100);
    hosted.bar->ReadProperties(bag);
    const QRectF thumbBefore = twipsOf(hosted.bar->picTHUMB());
    const QRectF upBefore = twipsOf(hosted.bar->picUP());
    hosted.resizeTwips(600, 3000);
    hosted.bar->setValue(100);
    hosted.resizeTwips(300, 1500);
    EXPECT_EQ(twipsOf(hosted.bar->picUP()), upBefore);
    EXPECT_EQ(hosted.bar->picTHUMB()->left(), thumbBefore.left());
    // A Value assignment still moves the thumb along the bar.
    EXPECT_NE(hosted.bar->picTHUMB()->top(), thumbBefore.top());
    EXPECT_EQ(twipsOf(hosted.bar->picBG()), QRectF(0, 0, 300, 1500));

    hosted.bar->setThumbAlignment(4); // mapped to 1 on a vertical bar
    EXPECT_EQ(hosted.bar->ThumbAlignment(), 1);
    EXPECT_EQ(hosted.bar->picUP()->top(), 0);
}

TEST(Layout, SavedEmptyOrReversedRangeKeepsTheThumbAtTheStart)
{
    expectStandardScreen();
    for (const auto &[min, max] : {std::pair {50, 50}, std::pair {100, 0}}) {
        HostedBar hosted;
        runtime::PropertyBag bag;
        bag.set(QStringLiteral("Min"), min);
        bag.set(QStringLiteral("Max"), max);
        bag.set(QStringLiteral("Value"), 75);
        bag.set(QStringLiteral("ButtonsVisible"), false);
        hosted.bar->ReadProperties(bag);
        hosted.resizeTwips(315, 3000);
        EXPECT_EQ(hosted.bar->picTHUMB()->top(), 0);
    }
}

TEST(PictureSetters, EmptyPictureMakesASquareOfTheBarsThickness)
{
    expectStandardScreen();
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    const runtime::Picture before = pictureOf(30, 12);
    hosted.bar->setPictureThumb(before);
    hosted.bar->setPictureThumb(runtime::Picture());
    EXPECT_EQ(hosted.bar->picTHUMB()->boxWidth(), 315);
    EXPECT_EQ(hosted.bar->picTHUMB()->boxHeight(), 315);
    ASSERT_TRUE(hosted.bar->PictureThumb());
    EXPECT_EQ(*hosted.bar->PictureThumb(), before);

    hosted.bar->setPictureUp(runtime::Picture());
    EXPECT_EQ(twipsOf(hosted.bar->picUP()).size(), QSizeF(315, 315));

    hosted.bar->setPictureBackground(runtime::Picture());
    EXPECT_EQ(twipsOf(hosted.bar->picBG()).size(), QSizeF(3000, 315));
    EXPECT_FALSE(hosted.bar->PictureBackground());
}

TEST(PictureSetters, NothingRemovesThePicture)
{
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    hosted.bar->setPictureLeft(std::nullopt);
    EXPECT_FALSE(hosted.bar->PictureLeft());
    EXPECT_EQ(twipsOf(hosted.bar->picLeft()).size(), QSizeF(0, 0));
    hosted.bar->setPictureDown(std::nullopt);
    EXPECT_EQ(twipsOf(hosted.bar->picDN()).size(), QSizeF(0, 0));
    // The other boxes keep their size.
    hosted.bar->setPictureRight(std::nullopt);
    EXPECT_FALSE(hosted.bar->PictureRight());
    EXPECT_EQ(twipsOf(hosted.bar->picRight()).size(), QSizeF(240, 315));
}

TEST(PictureSetters, APictureSizesItsBoxAndTheBackgroundSizesTheControl)
{
    expectStandardScreen();
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    hosted.bar->setPictureThumb(pictureOf(30, 12));
    EXPECT_EQ(twipsOf(hosted.bar->picTHUMB()).size(), QSizeF(450, 180));
    hosted.bar->setPictureBackground(pictureOf(150, 19));
    EXPECT_EQ(hosted.bar->size(), QSize(150, 19));
    EXPECT_EQ(twipsOf(hosted.bar->picBG()), QRectF(0, 0, 2250, 285));
}

TEST(AutoSize, BackgroundPictureDictatesTheSize)
{
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    hosted.bar->setPictureBackground(pictureOf(150, 19));
    hosted.bar->setAutoSize(true);
    hosted.bar->resize(300, 40);
    EXPECT_EQ(hosted.bar->size(), QSize(150, 19));
    hosted.bar->setAutoSize(false);
    hosted.bar->resize(300, 40);
    EXPECT_EQ(hosted.bar->size(), QSize(300, 40));
}

TEST(AutoSize, ASizeTheWidgetMayNotTakeEndsTheLayout)
{
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    hosted.bar->setMaximumSize(100, 10);
    hosted.bar->setPictureBackground(pictureOf(150, 19));
    hosted.bar->setAutoSize(true);
    hosted.bar->resize(90, 8);
    EXPECT_EQ(hosted.bar->size(), QSize(100, 10));
    EXPECT_EQ(hosted.bar->picBG()->boxWidth(), 1500);
}

TEST(Performance, ValueThatKeepsThePixelDoesNotTouchTheWidget)
{
    expectStandardScreen();
    HostedBar hosted;
    hosted.drawNew(3000, 315);
    hosted.bar->setButtonsVisible(false);
    hosted.bar->setMax(26850); // ten values per twip
    QWidget *thumb = hosted.widget("picTHUMB");
    hosted.bar->setValue(1500);
    const QRect before = thumb->geometry();
    int moves = 0;
    struct MoveCounter : QObject {
        int *moves;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Move)
                ++*moves;
            return false;
        }
    } counter;
    counter.moves = &moves;
    thumb->installEventFilter(&counter);
    hosted.bar->setValue(1501);
    EXPECT_EQ(thumb->geometry(), before);
    EXPECT_EQ(moves, 0);
    hosted.bar->setValue(3000);
    EXPECT_EQ(moves, 1);
}
