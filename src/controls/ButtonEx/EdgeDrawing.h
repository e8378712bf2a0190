// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPalette>

// The platform's frame drawing on an image: 3-D edges in the system colours
// of a palette, and the dotted focus rectangle.

namespace buttonex {

// Right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

namespace Edge {
constexpr unsigned RaisedOuter = 0x0001; // BDR_RAISEDOUTER
constexpr unsigned SunkenOuter = 0x0002; // BDR_SUNKENOUTER
constexpr unsigned RaisedInner = 0x0004; // BDR_RAISEDINNER
constexpr unsigned SunkenInner = 0x0008; // BDR_SUNKENINNER
constexpr unsigned Raised = RaisedOuter | RaisedInner; // EDGE_RAISED
constexpr unsigned Sunken = SunkenOuter | SunkenInner; // EDGE_SUNKEN
} // namespace Edge

namespace EdgeFlag {
constexpr unsigned Left = 0x0001;
constexpr unsigned Top = 0x0002;
constexpr unsigned Right = 0x0004;
constexpr unsigned Bottom = 0x0008;
constexpr unsigned WholeRect = 0x000F; // BF_RECT
constexpr unsigned Adjust = 0x2000; // BF_ADJUST: the rectangle shrinks by the frame
constexpr unsigned Flat = 0x4000; // BF_FLAT
constexpr unsigned Mono = 0x8000; // BF_MONO
} // namespace EdgeFlag

// Each border is a one-pixel ring: the top and left sides in the light
// colour, the bottom and right sides (with the bottom-left and top-right
// corners) in the dark one; the inner border lies one pixel inside the outer.
void drawEdge(QImage &image, Rect &rect, unsigned edge, unsigned flags, const QPalette &palette);

// Inverts every other pixel of the rectangle's outline against backColour,
// as a dotted pattern brush in black and back colour drawn with XOR would.
void drawFocusRect(QImage &image, const Rect &rect, QRgb backColour);

} // namespace buttonex
