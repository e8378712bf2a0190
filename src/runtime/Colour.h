// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

// Colours as the controls store and save them: 0x00BBGGRR, or a reference
// 0x800000nn to system colour nn, resolved through the current palette when
// drawing so that a theme change recolours the faces.

namespace runtime {

using OleColor = std::uint32_t;

namespace SystemColour {
constexpr OleColor ButtonFace = 0x8000000F;
constexpr OleColor ButtonShadow = 0x80000010;
constexpr OleColor GrayText = 0x80000011;
constexpr OleColor ButtonText = 0x80000012;
constexpr OleColor ButtonHighlight = 0x80000014;
constexpr OleColor DarkShadow3D = 0x80000015;
constexpr OleColor Light3D = 0x80000016;
constexpr OleColor Window = 0x80000005;
constexpr OleColor WindowText = 0x80000008;
} // namespace SystemColour

constexpr bool isSystemColour(OleColor colour)
{
    return (colour & 0xFF000000u) == 0x80000000u;
}

constexpr OleColor bgr(int red, int green, int blue)
{
    return static_cast<OleColor>((blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF));
}

// The colour to draw with; an unknown system index resolves to black.
QColor resolveColour(OleColor colour, const QPalette &palette = QPalette());

// A plain colour as 0x00BBGGRR.
OleColor toOleColor(const QColor &colour);

} // namespace runtime
