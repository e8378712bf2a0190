// SPDX-License-Identifier: GPL-3.0-or-later
#include "SurfaceGraphics.h"

#include <algorithm>

namespace buttonex {

namespace {

constexpr quint32 RgbMask = 0x00FFFFFF;

bool isMonochrome(const QImage &image)
{
    return image.format() == QImage::Format_Grayscale8;
}

quint32 combine(RasterOp op, quint32 source, quint32 dest)
{
    switch (op) {
    case RasterOp::SrcCopy:
        return source;
    case RasterOp::NotSrcCopy:
        return ~source;
    case RasterOp::SrcAnd:
        return source & dest;
    case RasterOp::SrcInvert:
        return source ^ dest;
    }
    return dest;
}

// The colour a key stands for; a picture pixel that does not exist matches nothing.
QRgb keyRgb(runtime::OleColor key, const QImage &source, QPoint keyPixel, const QPalette &palette)
{
    if (key != KeyFromPicture)
        return runtime::resolveColour(key, palette).rgb();
    if (!source.valid(keyPixel))
        return 0;
    return source.pixel(keyPixel) | ~RgbMask;
}

// The mask method shared by DrawTransparent and CopyTransparent; with
// stopOnFailure each transfer after the mask runs only if the previous succeeded.
bool maskedCopy(const DeviceContext &dest, DeviceContext source, QPoint destPoint, QPoint sourcePoint, int width,
                int height, QRgb key, bool stopOnFailure)
{
    QImage mask = monochromeBitmap(width, height);
    QImage inverse = monochromeBitmap(width, height);
    QImage back = colourBitmap(width, height);
    QImage picture = colourBitmap(width, height);
    const DeviceContext maskDc {&mask};
    const DeviceContext inverseDc {&inverse};
    const DeviceContext backDc {&back};
    const DeviceContext imageDc {&picture};

    source.backColour = key;
    bool ok = bitBlt(maskDc, 0, 0, width, height, source, sourcePoint.x(), sourcePoint.y(), RasterOp::SrcCopy);
    const auto step = [&](auto transfer) {
        if (ok || !stopOnFailure)
            ok = transfer();
    };
    step([&] { return bitBlt(inverseDc, 0, 0, width, height, maskDc, 0, 0, RasterOp::NotSrcCopy); });
    step([&] { return bitBlt(backDc, 0, 0, width, height, dest, destPoint.x(), destPoint.y(), RasterOp::SrcCopy); });
    step([&] { return bitBlt(backDc, 0, 0, width, height, maskDc, 0, 0, RasterOp::SrcAnd); });
    step([&] {
        return bitBlt(imageDc, 0, 0, width, height, source, sourcePoint.x(), sourcePoint.y(), RasterOp::SrcCopy);
    });
    step([&] { return bitBlt(imageDc, 0, 0, width, height, inverseDc, 0, 0, RasterOp::SrcAnd); });
    step([&] { return bitBlt(backDc, 0, 0, width, height, imageDc, 0, 0, RasterOp::SrcInvert); });
    step([&] { return bitBlt(dest, destPoint.x(), destPoint.y(), width, height, backDc, 0, 0, RasterOp::SrcCopy); });
    return ok;
}

} // namespace

QImage monochromeBitmap(int width, int height)
{
    QImage image(qMax(width, 0), qMax(height, 0), QImage::Format_Grayscale8);
    image.fill(0);
    return image;
}

QImage colourBitmap(int width, int height)
{
    QImage image(qMax(width, 0), qMax(height, 0), QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

bool bitBlt(const DeviceContext &dest, int destX, int destY, int width, int height, const DeviceContext &source,
            int sourceX, int sourceY, RasterOp op)
{
    if (!dest.image || dest.image->isNull() || !source.image || source.image->isNull())
        return false;
    QImage &to = *dest.image;
    const QImage &from = *source.image;
    const bool toMono = isMonochrome(to);
    const bool fromMono = isMonochrome(from);
    const quint32 valueMask = toMono ? 0xFF : RgbMask;

    // Clip the block to both images.
    const int left = std::max({0, -destX, -sourceX});
    const int top = std::max({0, -destY, -sourceY});
    const int right = std::min({width, to.width() - destX, from.width() - sourceX});
    const int bottom = std::min({height, to.height() - destY, from.height() - sourceY});

    for (int y = top; y < bottom; ++y) {
        const uchar *fromLine = from.constScanLine(sourceY + y);
        uchar *toLine = to.scanLine(destY + y);
        for (int x = left; x < right; ++x) {
            quint32 value;
            if (fromMono) {
                const bool bit = fromLine[sourceX + x] != 0;
                value = toMono ? (bit ? 0xFF : 0x00) : ((bit ? dest.backColour : dest.textColour) & RgbMask);
            } else {
                const QRgb pixel = reinterpret_cast<const QRgb *>(fromLine)[sourceX + x] | ~RgbMask;
                value = toMono ? (pixel == source.backColour ? 0xFF : 0x00) : (pixel & RgbMask);
            }
            if (toMono) {
                uchar &d = toLine[destX + x];
                d = static_cast<uchar>(combine(op, value, d) & valueMask);
            } else {
                QRgb &d = reinterpret_cast<QRgb *>(toLine)[destX + x];
                d = (combine(op, value, d) & valueMask) | ~RgbMask;
            }
        }
    }
    return true;
}

void DrawTransparent(const DeviceContext &dest, Surface &source, QPoint destPoint, QPoint sourcePoint, int width,
                     int height, runtime::OleColor keyColour, const QPalette &palette)
{
    const QRgb key = keyRgb(keyColour, source.image(), QPoint(1, 1), palette);
    maskedCopy(dest, source.deviceContext(palette), destPoint, sourcePoint, width, height, key, false);
}

bool BlitSurface(Surface &source, Surface &dest, RasterOp op, int destX, int destY, int sourceX, int sourceY, int width,
                 int height, const QPalette &palette)
{
    return bitBlt(dest.deviceContext(palette), destX, destY, width, height, source.deviceContext(palette), sourceX,
                  sourceY, op);
}

bool CopyMask(Surface &source, Surface &dest, runtime::OleColor keyColour, int destX, int destY, int sourceX,
              int sourceY, int width, int height, const QPalette &palette)
{
    const QRgb key = keyRgb(keyColour, source.image(), QPoint(0, 0), palette);
    QImage mask = monochromeBitmap(width, height);
    DeviceContext sourceDc = source.deviceContext(palette);
    sourceDc.backColour = key;
    if (!bitBlt(DeviceContext {&mask}, 0, 0, width, height, sourceDc, sourceX, sourceY, RasterOp::SrcCopy))
        return false;
    return bitBlt(dest.deviceContext(palette), destX, destY, width, height, DeviceContext {&mask}, 0, 0,
                  RasterOp::SrcCopy);
}

bool CopyTransparent(Surface &source, Surface &dest, runtime::OleColor keyColour, int destX, int destY, int sourceX,
                     int sourceY, int width, int height, const QPalette &palette)
{
    const QRgb key = keyRgb(keyColour, source.image(), QPoint(0, 0), palette);
    return maskedCopy(dest.deviceContext(palette), source.deviceContext(palette), QPoint(destX, destY),
                      QPoint(sourceX, sourceY), width, height, key, true);
}

bool PaintSilhouette(Surface &source, Surface &result, Surface &maskSurface, Surface &colourSurface,
                     runtime::OleColor colour, int destX, int destY, int sourceX, int sourceY, int width, int height,
                     const QPalette &palette)
{
    colourSurface.setBackColour(colour, palette);
    CopyMask(source, maskSurface, KeyFromPicture, 0, 0, sourceX, sourceY, width, height, palette);
    BlitSurface(maskSurface, colourSurface, RasterOp::SrcInvert, 0, 0, 0, 0, width, height, palette);
    return CopyTransparent(colourSurface, result, KeyFromPicture, destX, destY, 0, 0, width, height, palette);
}

} // namespace buttonex
