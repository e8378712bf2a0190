// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>

#include <xcb/xcb.h>

#include <array>
#include <optional>
#include <vector>

// What an area of the screen or of a window shows, coarsely: enough to tell a picture from
// black and one test picture from another.
namespace desktop {

// The pixels of an area of a window (the root: the screen) as the server keeps them; a null
// image when it could not give them.
QImage grab(xcb_connection_t *c, xcb_drawable_t drawable, const QRect &area);

// How many pixels of the area differ clearly from black, of every second pixel of every second row.
int litPixels(const QImage &image, const QRect &area);
// A picture is up: most of the area is clearly brighter than black.
bool showsPicture(const QImage &image, const QRect &area);

struct Look {
    static constexpr int Columns = 8;
    static constexpr int Rows = 6;

    // The share of pixels clearly brighter than black.
    double lit = 0;
    // Mean red, green and blue of each cell of a Columns x Rows grid.
    std::array<double, Columns * Rows * 3> cells {};

    // The mean difference of the cells' colours, 0..255.
    double distance(const Look &other) const;
    // A picture is up: most of the area is clearly brighter than black.
    bool showsPicture() const;
};

Look lookOf(const QImage &image);
// The look of the screen's area now; nothing when the server could not give it.
std::optional<Look> lookAt(xcb_connection_t *c, const QRect &area);

// One row of grey values across the screen at y, from x for width pixels.
std::vector<int> greyRow(xcb_connection_t *c, int x, int y, int width);

} // namespace desktop
