// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Surface.h"

// Block transfers between surfaces with raster operations, and the mask
// method that copies a picture leaving out its key colour. A monochrome
// bitmap is a Grayscale8 image holding 0x00 (0) or 0xFF (1), so that the
// raster operations work on it bit for bit as on a colour image.

namespace buttonex {

enum class RasterOp : quint32 {
    SrcCopy = 0x00CC0020,
    NotSrcCopy = 0x00330008,
    SrcAnd = 0x008800C6,
    SrcInvert = 0x00660046,
};

// A key colour that stands for a pixel of the source picture.
constexpr runtime::OleColor KeyFromPicture = 0xFFFFFFFF;

QImage monochromeBitmap(int width, int height);
QImage colourBitmap(int width, int height);

// One block transfer. Colour to monochrome: pixels equal to the source's back
// colour become 1. Monochrome to colour: 1 becomes the destination's back
// colour, 0 its text colour. Pixels outside either image are left alone.
// Fails only when either context has no image.
bool bitBlt(const DeviceContext &dest, int destX, int destY, int width, int height, const DeviceContext &source,
            int sourceX, int sourceY, RasterOp op);

// Copies a block of source onto dest, leaving out the pixels of the key colour
// (KeyFromPicture: source's pixel at (1, 1)).
void DrawTransparent(const DeviceContext &dest, Surface &source, QPoint destPoint, QPoint sourcePoint, int width,
                     int height, runtime::OleColor keyColour, const QPalette &palette);

bool BlitSurface(Surface &source, Surface &dest, RasterOp op, int destX, int destY, int sourceX, int sourceY, int width,
                 int height, const QPalette &palette);

// Writes the two-colour mask of source into dest: key pixels take dest's back
// colour, the others its fore colour (KeyFromPicture: source's pixel at (0, 0)).
bool CopyMask(Surface &source, Surface &dest, runtime::OleColor keyColour, int destX, int destY, int sourceX,
              int sourceY, int width, int height, const QPalette &palette);

// The surface-to-surface DrawTransparent, stopping at the first failed
// transfer (KeyFromPicture: source's pixel at (0, 0)).
bool CopyTransparent(Surface &source, Surface &dest, runtime::OleColor keyColour, int destX, int destY, int sourceX,
                     int sourceY, int width, int height, const QPalette &palette);

// Paints the shape of source's picture (keyed on its top-left pixel) onto
// result in one colour, through the mask and colour work surfaces.
bool PaintSilhouette(Surface &source, Surface &result, Surface &maskSurface, Surface &colourSurface,
                     runtime::OleColor colour, int destX, int destY, int sourceX, int sourceY, int width, int height,
                     const QPalette &palette);

} // namespace buttonex
