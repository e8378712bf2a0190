// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ButtonEx/SurfaceGraphics.h"

#include <gtest/gtest.h>

using namespace buttonex;

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Grey = qRgb(128, 128, 128);

// A 4 x 4 picture: blue key border around a 2 x 2 red centre, one green pixel.
QImage keyedPicture()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Blue);
    image.setPixel(1, 1, Red);
    image.setPixel(2, 1, Red);
    image.setPixel(1, 2, Green);
    image.setPixel(2, 2, Red);
    return image;
}

Surface pictureSurface(const QImage &image)
{
    Surface surface(QSize(), 0x8000000F, 0x80000012, QPalette());
    surface.setPicture(runtime::Picture(image));
    return surface;
}

} // namespace

TEST(SurfaceGraphics, RasterOperationsOnColourImages)
{
    struct Case {
        RasterOp op;
        QRgb source;
        QRgb dest;
        QRgb expected;
    };
    const Case cases[] = {
        {RasterOp::SrcCopy, qRgb(0x12, 0x34, 0x56), qRgb(1, 2, 3), qRgb(0x12, 0x34, 0x56)},
        {RasterOp::NotSrcCopy, qRgb(0x12, 0x34, 0x56), qRgb(1, 2, 3), qRgb(0xED, 0xCB, 0xA9)},
        {RasterOp::SrcAnd, qRgb(0xF0, 0x0F, 0xFF), qRgb(0x3C, 0x3C, 0x3C), qRgb(0x30, 0x0C, 0x3C)},
        {RasterOp::SrcInvert, qRgb(0xF0, 0x0F, 0xFF), qRgb(0x3C, 0x3C, 0x3C), qRgb(0xCC, 0x33, 0xC3)},
    };
    for (const Case &c : cases) {
        QImage source = colourBitmap(1, 1);
        QImage dest = colourBitmap(1, 1);
        source.setPixel(0, 0, c.source);
        dest.setPixel(0, 0, c.dest);
        ASSERT_TRUE(bitBlt(DeviceContext {&dest}, 0, 0, 1, 1, DeviceContext {&source}, 0, 0, c.op));
        EXPECT_EQ(dest.pixel(0, 0), c.expected) << static_cast<quint32>(c.op);
    }
}

TEST(SurfaceGraphics, MonochromeConversionsUseTheContextColours)
{
    QImage picture = keyedPicture();
    QImage mask = monochromeBitmap(4, 4);
    // Colour to monochrome: the source's back colour becomes 1.
    ASSERT_TRUE(bitBlt(DeviceContext {&mask}, 0, 0, 4, 4, DeviceContext {&picture, 0, Blue}, 0, 0, RasterOp::SrcCopy));
    EXPECT_EQ(qGray(mask.pixel(0, 0)), 255);
    EXPECT_EQ(qGray(mask.pixel(1, 1)), 0);
    EXPECT_EQ(qGray(mask.pixel(1, 2)), 0);

    // Monochrome to colour: 1 takes the destination's back colour, 0 its text colour.
    QImage colour = colourBitmap(4, 4);
    ASSERT_TRUE(
        bitBlt(DeviceContext {&colour, Green, Grey}, 0, 0, 4, 4, DeviceContext {&mask}, 0, 0, RasterOp::SrcCopy));
    EXPECT_EQ(colour.pixel(0, 0), Grey);
    EXPECT_EQ(colour.pixel(2, 2), Green);

    // Inverting a mask flips its bits.
    QImage inverse = monochromeBitmap(4, 4);
    bitBlt(DeviceContext {&inverse}, 0, 0, 4, 4, DeviceContext {&mask}, 0, 0, RasterOp::NotSrcCopy);
    EXPECT_EQ(qGray(inverse.pixel(0, 0)), 0);
    EXPECT_EQ(qGray(inverse.pixel(1, 1)), 255);
}

TEST(SurfaceGraphics, TransfersClipAndFailWithoutAnImage)
{
    QImage source = colourBitmap(2, 2);
    source.fill(Red);
    QImage dest = colourBitmap(3, 3);
    dest.fill(Grey);
    EXPECT_TRUE(bitBlt(DeviceContext {&dest}, 2, 2, 2, 2, DeviceContext {&source}, 0, 0, RasterOp::SrcCopy));
    EXPECT_EQ(dest.pixel(2, 2), Red);
    EXPECT_EQ(dest.pixel(1, 1), Grey);
    QImage none;
    EXPECT_FALSE(bitBlt(DeviceContext {&dest}, 0, 0, 1, 1, DeviceContext {&none}, 0, 0, RasterOp::SrcCopy));
    EXPECT_FALSE(bitBlt(DeviceContext {&none}, 0, 0, 1, 1, DeviceContext {&dest}, 0, 0, RasterOp::SrcCopy));
}

TEST(SurfaceGraphics, DrawTransparentLeavesOutTheKeyColour)
{
    Surface picture = pictureSurface(keyedPicture());
    QImage face = colourBitmap(6, 6);
    face.fill(Grey);
    DrawTransparent(DeviceContext {&face}, picture, QPoint(1, 1), QPoint(0, 0), 4, 4, 0xFF0000, QPalette());
    EXPECT_EQ(face.pixel(1, 1), Grey); // key pixel of the picture
    EXPECT_EQ(face.pixel(2, 2), Red);
    EXPECT_EQ(face.pixel(2, 3), Green);
    EXPECT_EQ(face.pixel(4, 4), Grey);
    EXPECT_EQ(face.pixel(0, 0), Grey); // outside the block
}

TEST(SurfaceGraphics, KeyFromPictureReadsPixelOneOneForDrawTransparent)
{
    QImage image = keyedPicture();
    image.setPixel(0, 0, Green); // (0, 0) differs from the key at (1, 1) = red
    Surface picture = pictureSurface(image);
    QImage face = colourBitmap(4, 4);
    face.fill(Grey);
    DrawTransparent(DeviceContext {&face}, picture, QPoint(0, 0), QPoint(0, 0), 4, 4, KeyFromPicture, QPalette());
    EXPECT_EQ(face.pixel(1, 1), Grey); // red is the key
    EXPECT_EQ(face.pixel(0, 0), Green);
    EXPECT_EQ(face.pixel(3, 3), Blue);
}

TEST(SurfaceGraphics, CopyMaskKeysOnPixelZeroZeroAndUsesDestColours)
{
    Surface picture = pictureSurface(keyedPicture());
    Surface mask(QSize(4, 4), 0x00FFFFFF, 0x00000000, QPalette());
    ASSERT_TRUE(CopyMask(picture, mask, KeyFromPicture, 0, 0, 0, 0, 4, 4, QPalette()));
    EXPECT_EQ(mask.image().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(mask.image().pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(mask.image().pixel(1, 2), qRgb(0, 0, 0));

    Surface empty(QSize(), 0, 0, QPalette());
    EXPECT_FALSE(CopyMask(empty, mask, KeyFromPicture, 0, 0, 0, 0, 4, 4, QPalette()));
}

TEST(SurfaceGraphics, CopyTransparentCopiesOnlyTheShape)
{
    Surface picture = pictureSurface(keyedPicture());
    Surface dest(QSize(5, 5), 0x808080, 0, QPalette());
    ASSERT_TRUE(CopyTransparent(picture, dest, KeyFromPicture, 1, 0, 0, 0, 4, 4, QPalette()));
    EXPECT_EQ(dest.image().pixel(1, 0), Grey);
    EXPECT_EQ(dest.image().pixel(2, 1), Red);
    EXPECT_EQ(dest.image().pixel(2, 2), Green);
    Surface empty(QSize(), 0, 0, QPalette());
    EXPECT_FALSE(CopyTransparent(empty, dest, KeyFromPicture, 0, 0, 0, 0, 4, 4, QPalette()));
}

TEST(SurfaceGraphics, PaintSilhouetteFillsTheShapeInOneColour)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(192, 192, 192));
    palette.setColor(QPalette::ButtonText, Qt::black);
    Surface picture = pictureSurface(keyedPicture());
    Surface result(QSize(8, 8), 0x8000000F, 0x80000012, palette);
    Surface mask(QSize(8, 8), 0x8000000F, 0x80000012, palette);
    Surface colour(QSize(8, 8), 0x8000000F, 0x80000012, palette);
    ASSERT_TRUE(PaintSilhouette(picture, result, mask, colour, 0x404040, 0, 0, 0, 0, 4, 4, palette));
    const QRgb face = qRgb(192, 192, 192);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool shape = x >= 1 && x <= 2 && y >= 1 && y <= 2;
            EXPECT_EQ(result.image().pixel(x, y), shape ? qRgb(64, 64, 64) : face) << x << "," << y;
        }
    }
}
