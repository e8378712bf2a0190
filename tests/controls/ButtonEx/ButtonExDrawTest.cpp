// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonExTestSupport.h"

#include "controls/ButtonEx/EdgeDrawing.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor Back(128, 128, 128);

struct Frame {
    QPalette::ColorRole topLeft;
    QPalette::ColorRole bottomRight;
};

// Checks ring n of a square face: top and left sides in one colour, bottom and right in another.
void expectRing(const QImage &face, int n, QColor light, QColor dark)
{
    const int last = face.width() - 1 - n;
    EXPECT_EQ(face.pixelColor(n, n), light) << "ring " << n;
    EXPECT_EQ(face.pixelColor(n + 2, n), light) << "ring " << n;
    EXPECT_EQ(face.pixelColor(n, n + 2), light) << "ring " << n;
    EXPECT_EQ(face.pixelColor(last, n), dark) << "ring " << n << " top-right corner";
    EXPECT_EQ(face.pixelColor(n, last), dark) << "ring " << n << " bottom-left corner";
    EXPECT_EQ(face.pixelColor(last, last), dark) << "ring " << n;
    EXPECT_EQ(face.pixelColor(last - 2, last), dark) << "ring " << n;
}

class DrawTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        showNow(button);
        styleAsCaptionButton(button);
        button.setCaption(QString());
        button.resize(13, 13);
    }
    QColor c(QPalette::ColorRole r) const { return role(button.palette(), r); }

    ButtonEx button;
};

// An image of the face's back colour with the caption drawn where the arithmetic puts it.
QImage expectedCaption(const ButtonEx &button, QPoint topLeft, QColor colour)
{
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(Back);
    QPainter painter(&image);
    painter.setFont(crispFont());
    painter.setPen(colour);
    painter.drawText(topLeft + QPoint(0, QFontMetrics(crispFont()).ascent()), button.Caption());
    return image;
}

// Compares the inside of the face (frames excluded).
void expectSameInside(const QImage &face, const QImage &expected, int margin)
{
    for (int y = margin; y < face.height() - margin; ++y)
        for (int x = margin; x < face.width() - margin; ++x)
            ASSERT_EQ(face.pixel(x, y), expected.pixel(x, y)) << x << "," << y;
}

} // namespace

TEST_F(DrawTest, UpLookHasTheRaisedEdge)
{
    button.DrawButton(ButtonEx::Up);
    const QImage face = faceOf(button);
    ASSERT_EQ(face.size(), QSize(13, 13));
    expectRing(face, 0, c(QPalette::Midlight), c(QPalette::Shadow));
    expectRing(face, 1, c(QPalette::Light), c(QPalette::Dark));
    EXPECT_EQ(face.pixelColor(2, 2), Back);
    EXPECT_EQ(face.pixelColor(6, 6), Back);
    EXPECT_EQ(button.CurrentState(), ButtonEx::Up);
}

TEST_F(DrawTest, DownLookHasTheSunkenEdge)
{
    button.DrawButton(ButtonEx::Down);
    const QImage face = faceOf(button);
    expectRing(face, 0, c(QPalette::Dark), c(QPalette::Light));
    expectRing(face, 1, c(QPalette::Shadow), c(QPalette::Midlight));
    EXPECT_EQ(face.pixelColor(2, 2), Back);
    EXPECT_EQ(button.CurrentState(), ButtonEx::Down);
}

TEST_F(DrawTest, FocusAddsTheOneColourFrameAndTheDottedRectangle)
{
    button.setDisplayAsDefault(true);
    ASSERT_TRUE(button.FocusShown());

    button.DrawButton(ButtonEx::Up);
    QImage face = faceOf(button);
    expectRing(face, 0, c(QPalette::Shadow), c(QPalette::Shadow)); // window frame
    expectRing(face, 1, c(QPalette::Midlight), c(QPalette::Shadow));
    expectRing(face, 2, c(QPalette::Light), c(QPalette::Dark));
    // Focus rectangle (4, 4, 9, 9): every other pixel inverted against the back colour.
    EXPECT_EQ(face.pixelColor(4, 4), QColor(0, 0, 0));
    EXPECT_EQ(face.pixelColor(5, 4), Back);
    EXPECT_EQ(face.pixelColor(8, 8), QColor(0, 0, 0));
    EXPECT_EQ(face.pixelColor(4, 7), Back);
    EXPECT_EQ(face.pixelColor(6, 6), Back);
    EXPECT_EQ(face.pixelColor(3, 3), Back);

    button.DrawButton(ButtonEx::Down);
    face = faceOf(button);
    expectRing(face, 0, c(QPalette::Shadow), c(QPalette::Shadow));
    expectRing(face, 1, c(QPalette::Dark), c(QPalette::Dark)); // flat sunken outer line
    EXPECT_EQ(face.pixelColor(2, 2), Back);
    EXPECT_EQ(face.pixelColor(4, 4), QColor(0, 0, 0));

    button.DrawButton(ButtonEx::Hover);
    face = faceOf(button);
    expectRing(face, 0, c(QPalette::Shadow), c(QPalette::Shadow));
    expectRing(face, 1, c(QPalette::Midlight), c(QPalette::Shadow));
}

TEST_F(DrawTest, FocusRectangleOnlyAtRunTime)
{
    button.setDisplayAsDefault(true);
    button.setUserMode(false);
    button.DrawButton(ButtonEx::Up);
    EXPECT_EQ(faceOf(button).pixelColor(4, 4), Back);
    expectRing(faceOf(button), 0, c(QPalette::Shadow), c(QPalette::Shadow));
}

TEST_F(DrawTest, FlatAppearanceDrawsNoFrameWhenUpOnly)
{
    button.setAppearance(0);
    button.setDisplayAsDefault(true);
    button.DrawButton(ButtonEx::Up);
    const QImage up = faceOf(button);
    for (const QPoint p : {QPoint(0, 0), QPoint(12, 12), QPoint(1, 1), QPoint(4, 4)})
        EXPECT_EQ(up.pixelColor(p), Back) << p.x() << "," << p.y();

    button.setDisplayAsDefault(false);
    button.DrawButton(ButtonEx::Hover);
    expectRing(faceOf(button), 0, c(QPalette::Midlight), c(QPalette::Shadow));
    button.DrawButton(ButtonEx::Down);
    expectRing(faceOf(button), 0, c(QPalette::Dark), c(QPalette::Light));
}

TEST_F(DrawTest, CaptionIsCentredAndTakesTheLookColour)
{
    button.resize(40, 20);
    button.setCaption(QStringLiteral("X"));
    const QFontMetrics metrics(crispFont());
    const int x = 40 / 2 - metrics.horizontalAdvance(u'X') / 2;
    const int y = 20 / 2 - metrics.height() / 2;

    button.DrawButton(ButtonEx::Up);
    expectSameInside(faceOf(button), expectedCaption(button, QPoint(x, y), Qt::black), 2);
    button.DrawButton(ButtonEx::Hover);
    expectSameInside(faceOf(button), expectedCaption(button, QPoint(x, y), QColor(64, 64, 64)), 2);
    button.DrawButton(ButtonEx::Down);
    expectSameInside(faceOf(button), expectedCaption(button, QPoint(x + 1, y + 1), QColor(64, 64, 64)), 2);
}

TEST_F(DrawTest, DoubleAmpersandDrawsOneButMeasuresTwo)
{
    button.resize(40, 20);
    button.setCaption(QStringLiteral("&&"));
    const QFontMetrics metrics(crispFont());
    const int x = 40 / 2 - metrics.horizontalAdvance(QStringLiteral("&&")) / 2;
    const int y = 20 / 2 - metrics.height() / 2;
    button.DrawButton(ButtonEx::Up);
    QImage expected(button.size(), QImage::Format_RGB32);
    expected.fill(Back);
    QPainter painter(&expected);
    painter.setFont(crispFont());
    painter.drawText(QPoint(x, y + metrics.ascent()), QStringLiteral("&"));
    painter.end();
    expectSameInside(faceOf(button), expected, 2);
}

TEST_F(DrawTest, AccessKeyIsUnderlined)
{
    button.resize(60, 24);
    button.setCaption(QStringLiteral("&AB"));
    button.DrawButton(ButtonEx::Up);
    const QFontMetrics metrics(crispFont());
    const int x = 30 - metrics.horizontalAdvance(QStringLiteral("&AB")) / 2;
    const int y = 12 - metrics.height() / 2;
    const int underline = y + metrics.ascent() + metrics.underlinePos();
    const QImage face = faceOf(button);
    const int aWidth = metrics.horizontalAdvance(u'A');
    for (int i = 0; i < aWidth; ++i)
        EXPECT_EQ(face.pixelColor(x + i, underline), QColor(Qt::black)) << i;
    // B is not underlined.
    const int bMiddle = x + aWidth + metrics.horizontalAdvance(u'B') / 2;
    EXPECT_EQ(face.pixelColor(bMiddle, underline), Back);
}

TEST_F(DrawTest, DisabledCaptionIsEmbossed)
{
    button.resize(40, 20);
    button.setCaption(QStringLiteral("H"));
    button.setEnabled(runtime::False);
    button.DrawButton(ButtonEx::Up);
    int highlight = 0, shadow = 0, fore = 0;
    const QImage face = faceOf(button);
    for (int y = 2; y < 18; ++y) {
        for (int x = 2; x < 38; ++x) {
            const QColor p = face.pixelColor(x, y);
            highlight += p == c(QPalette::Light);
            shadow += p == c(QPalette::Dark);
            fore += p == QColor(Qt::black);
        }
    }
    EXPECT_GT(highlight, 0);
    EXPECT_GT(shadow, 0);
    EXPECT_EQ(fore, 0);
}

namespace {

// 8 x 8: blue (the default transparent colour) border, red inside.
runtime::Picture keyedPicture(int size = 8)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    for (int y = 2; y < size - 2; ++y)
        for (int x = 2; x < size - 2; ++x)
            image.setPixelColor(x, y, Qt::red);
    return runtime::Picture(image);
}

// Where a keyed picture stands: its red inside begins two pixels in.
QPoint picturePlace(ButtonEx &button)
{
    const QImage face = faceOf(button);
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (face.pixelColor(x, y) == QColor(Qt::red))
                return QPoint(x - 2, y - 2);
    return QPoint(-1, -1);
}

} // namespace

TEST_F(DrawTest, PictureIsKeyedOnTransparentColourAndPlaced)
{
    button.resize(60, 20);
    button.setPicture(keyedPicture());
    button.DrawButton(ButtonEx::Up);
    EXPECT_EQ(picturePlace(button), QPoint(6, 6)); // 20 / 2 - 8 / 2 = 6
    const QImage face = faceOf(button);
    EXPECT_EQ(face.pixelColor(6 + 3, 6 + 3), QColor(Qt::red));
    EXPECT_EQ(face.pixelColor(6, 6), Back);
    EXPECT_EQ(face.pixelColor(6 + 1, 6 + 6), Back);

    button.DrawButton(ButtonEx::Down);
    EXPECT_EQ(picturePlace(button), QPoint(7, 7));
    EXPECT_EQ(faceOf(button).pixelColor(7 + 2, 7 + 2), QColor(Qt::red));
    EXPECT_EQ(faceOf(button).pixelColor(6 + 2, 6 + 2), Back);
}

TEST_F(DrawTest, TallPictureStaysSixPixelsFromTheTop)
{
    button.resize(40, 30);
    button.setPicture(keyedPicture(24)); // 15 - 12 = 3, raised to 6
    button.DrawButton(ButtonEx::Up);
    EXPECT_EQ(picturePlace(button), QPoint(6, 6));
    button.DrawButton(ButtonEx::Down);
    EXPECT_EQ(picturePlace(button), QPoint(7, 7));
}

TEST_F(DrawTest, CaptionMovesRightOfThePicture)
{
    button.resize(80, 20);
    button.setCaption(QStringLiteral("X"));
    button.setPicture(keyedPicture());
    button.DrawButton(ButtonEx::Up); // places the holder at x = 6
    button.DrawButton(ButtonEx::Up);
    const QFontMetrics metrics(crispFont());
    const int x = (6 + 8 - 6) / 2 + (80 / 2 - metrics.horizontalAdvance(u'X') / 2);
    const int y = 20 / 2 - metrics.height() / 2;
    QImage expected = expectedCaption(button, QPoint(x, y), Qt::black);
    QPainter(&expected).drawImage(6, 6, faceOf(button).copy(6, 6, 8, 8)); // the picture, checked elsewhere
    expectSameInside(faceOf(button), expected, 2);
}

TEST_F(DrawTest, SilhouetteInTheHighlightedLooks)
{
    button.resize(60, 20);
    button.setPicture(keyedPicture());
    button.setHighlightPicture(runtime::True);

    button.DrawButton(ButtonEx::Hover);
    EXPECT_EQ(faceOf(button).pixelColor(6 + 3, 6 + 3), QColor(64, 64, 64));
    EXPECT_EQ(faceOf(button).pixelColor(6, 6), Back);

    button.DrawButton(ButtonEx::Up); // the picture itself
    EXPECT_EQ(faceOf(button).pixelColor(6 + 3, 6 + 3), QColor(Qt::red));

    button.DrawButton(ButtonEx::Down);
    EXPECT_EQ(faceOf(button).pixelColor(7 + 3, 7 + 3), QColor(64, 64, 64));
}

TEST_F(DrawTest, DisabledPictureIsGreyOnlyWithHighlightPicture)
{
    button.resize(60, 20);
    button.setPicture(keyedPicture());
    button.setEnabled(runtime::False);
    button.DrawButton(ButtonEx::Up);
    EXPECT_EQ(faceOf(button).pixelColor(9, 9), QColor(Qt::red));

    button.setHighlightPicture(runtime::True);
    button.DrawButton(ButtonEx::Up);
    EXPECT_EQ(faceOf(button).pixelColor(9, 9), button.palette().color(QPalette::Disabled, QPalette::Text));
    EXPECT_EQ(faceOf(button).pixelColor(6, 6), Back);
}

TEST_F(DrawTest, TransparentColourMinusOneKeysOnPixelOneOne)
{
    button.resize(60, 20);
    QImage image = keyedPicture().image();
    image.setPixelColor(0, 0, Qt::green);
    image.setPixelColor(1, 1, Qt::yellow);
    image.setPixelColor(2, 2, Qt::yellow);
    button.setPicture(runtime::Picture(image));
    button.setTransparentColor(0xFFFFFFFF);
    button.DrawButton(ButtonEx::Up);
    const QImage face = faceOf(button);
    EXPECT_EQ(face.pixelColor(6, 6), QColor(Qt::green));
    EXPECT_EQ(face.pixelColor(8, 8), Back); // yellow was the key
    EXPECT_EQ(face.pixelColor(6 + 1, 6), QColor(0, 0, 255));
}

TEST_F(DrawTest, FaceKeepsItsImageUntilTheNextDrawing)
{
    button.DrawButton(ButtonEx::Up);
    const QImage before = faceOf(button);
    button.setPalette(QPalette(Qt::red));
    EXPECT_EQ(faceOf(button), before);
    QImage shown(button.size(), QImage::Format_RGB32);
    button.render(&shown);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(shown.pixel(x, y), before.pixel(x, y)) << x << "," << y;
}

TEST(EdgeDrawing, AdjustShrinksByTheFrameWidth)
{
    QImage image(10, 10, QImage::Format_RGB32);
    buttonex::Rect rect {0, 0, 10, 10};
    using namespace buttonex;
    drawEdge(image, rect, Edge::Raised, EdgeFlag::WholeRect | EdgeFlag::Adjust, QPalette());
    EXPECT_EQ(rect.left, 2);
    EXPECT_EQ(rect.bottom, 8);
    drawEdge(image, rect, Edge::RaisedOuter | Edge::SunkenOuter,
             EdgeFlag::WholeRect | EdgeFlag::Adjust | EdgeFlag::Mono, QPalette());
    EXPECT_EQ(rect.top, 3);
    EXPECT_EQ(rect.right, 7);
}

TEST_F(DrawTest, RedrawOfASmallButtonIsFast)
{
    button.setCaption(QStringLiteral("X"));
    button.setDisplayAsDefault(true);
    constexpr int Rounds = 2000;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Rounds; ++i)
        button.DrawButton(i % 3);
    const double plain = double(timer.nsecsElapsed()) / Rounds / 1e6;

    button.resize(40, 30);
    button.setPicture(keyedPicture(16));
    button.setHighlightPicture(runtime::True);
    timer.restart();
    for (int i = 0; i < Rounds; ++i)
        button.DrawButton(i % 3);
    const double withSilhouette = double(timer.nsecsElapsed()) / Rounds / 1e6;
    std::cout << "DrawButton: " << plain << " ms plain, " << withSilhouette << " ms with a silhouette\n";
    EXPECT_LT(plain, 0.5);
    EXPECT_LT(withSilhouette, 1.0);
}
