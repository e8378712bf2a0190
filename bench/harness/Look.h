// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <array>
#include <optional>
#include <vector>

class Desk;

// What an area of the screen shows, coarsely: enough to tell a picture from
// black and one test picture from another.
struct Look {
    static constexpr int Columns = 8;
    static constexpr int Rows = 6;

    // The share of pixels clearly brighter than black.
    double lit = 0;
    // Mean red, green and blue of each cell of a Columns x Rows grid.
    std::array<double, Columns * Rows * 3> cells {};

    // The mean difference of the cells' colours, 0..255.
    double distance(const Look &other) const;
};

// The look of the area now; nothing when the server could not give it.
std::optional<Look> lookAt(const Desk &desk, const QRect &area);

// One row of grey values across the screen at y, from x for width pixels.
std::vector<int> greyRow(const Desk &desk, int x, int y, int width);
