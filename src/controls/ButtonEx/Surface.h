// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/Colour.h"
#include "runtime/Picture.h"

#include <QImage>
#include <QPoint>

// A hidden drawing surface that keeps its image, with its own back and fore
// colours, so that its content can be read back by block transfers. The
// picture holder is such a surface sized to its picture.

namespace buttonex {

// What a block transfer needs of a surface: its image and the colours that
// stand for the bits of a monochrome image (text for 0, back for 1).
// A back colour with a zero alpha matches no pixel of an opaque image.
struct DeviceContext {
    QImage *image = nullptr;
    QRgb textColour = 0xFF000000;
    QRgb backColour = 0xFFFFFFFF;
};

class Surface
{
public:
    Surface(QSize size, runtime::OleColor backColour, runtime::OleColor foreColour, const QPalette &palette);

    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }
    DeviceContext deviceContext(const QPalette &palette);

    runtime::OleColor backColour() const { return m_backColour; }
    runtime::OleColor foreColour() const { return m_foreColour; }
    // A new back colour clears the surface to it.
    void setBackColour(runtime::OleColor colour, const QPalette &palette);
    void setForeColour(runtime::OleColor colour) { m_foreColour = colour; }
    void clear(const QPalette &palette);
    // Grows (never shrinks) the surface; the new area takes the back colour.
    void ensureSize(QSize size, const QPalette &palette);

    // The surface takes its picture's natural size; an empty picture leaves no image.
    void setPicture(const runtime::Picture &picture);
    const runtime::Picture &picture() const { return m_picture; }

    QPoint position() const { return m_position; }
    void setPosition(QPoint position) { m_position = position; }

private:
    QImage m_image;
    runtime::OleColor m_backColour;
    runtime::OleColor m_foreColour;
    runtime::Picture m_picture;
    QPoint m_position;
};

} // namespace buttonex
