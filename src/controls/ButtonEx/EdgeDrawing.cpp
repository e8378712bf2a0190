// SPDX-License-Identifier: GPL-3.0-or-later
#include "EdgeDrawing.h"

#include "runtime/Colour.h"

#include <optional>

namespace buttonex {

namespace {

using runtime::OleColor;
namespace Sys = runtime::SystemColour;
constexpr OleColor WindowFrame = 0x80000006;

struct RingColours {
    std::optional<OleColor> light; // top and left
    std::optional<OleColor> dark; // bottom and right
};

RingColours outerColours(unsigned edge, unsigned flags)
{
    const unsigned outer = edge & (Edge::RaisedOuter | Edge::SunkenOuter);
    if (outer == 0)
        return {};
    if (flags & EdgeFlag::Mono)
        return {WindowFrame, WindowFrame};
    std::optional<OleColor> light, dark;
    if (outer == Edge::RaisedOuter) {
        light = Sys::Light3D;
        dark = Sys::DarkShadow3D;
    } else if (outer == Edge::SunkenOuter) {
        light = Sys::ButtonShadow;
        dark = Sys::ButtonHighlight;
    }
    if (flags & EdgeFlag::Flat)
        return {light, light};
    return {light, dark};
}

RingColours innerColours(unsigned edge, unsigned flags)
{
    const unsigned inner = edge & (Edge::RaisedInner | Edge::SunkenInner);
    if (inner == 0)
        return {};
    if (flags & EdgeFlag::Mono)
        return {Sys::Window, Sys::Window};
    if (flags & EdgeFlag::Flat)
        return {Sys::ButtonFace, Sys::ButtonFace};
    if (inner == Edge::RaisedInner)
        return {Sys::ButtonHighlight, Sys::ButtonShadow};
    if (inner == Edge::SunkenInner)
        return {Sys::DarkShadow3D, Sys::Light3D};
    return {};
}

void setPixel(QImage &image, int x, int y, QRgb colour)
{
    if (image.valid(x, y))
        reinterpret_cast<QRgb *>(image.scanLine(y))[x] = colour;
}

void drawRing(QImage &image, const Rect &r, unsigned sides, const RingColours &colours, const QPalette &palette)
{
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    if (colours.light) {
        const QRgb c = runtime::resolveColour(*colours.light, palette).rgb();
        if (sides & EdgeFlag::Top)
            for (int x = r.left; x < r.right; ++x)
                setPixel(image, x, r.top, c);
        if (sides & EdgeFlag::Left)
            for (int y = r.top; y < r.bottom; ++y)
                setPixel(image, r.left, y, c);
    }
    if (colours.dark) {
        const QRgb c = runtime::resolveColour(*colours.dark, palette).rgb();
        if (sides & EdgeFlag::Bottom)
            for (int x = r.left; x < r.right; ++x)
                setPixel(image, x, r.bottom - 1, c);
        if (sides & EdgeFlag::Right)
            for (int y = r.top; y < r.bottom; ++y)
                setPixel(image, r.right - 1, y, c);
    }
}

} // namespace

void drawEdge(QImage &image, Rect &rect, unsigned edge, unsigned flags, const QPalette &palette)
{
    const unsigned sides = flags & EdgeFlag::WholeRect;
    const RingColours outer = outerColours(edge, flags);
    const RingColours inner = innerColours(edge, flags);
    drawRing(image, rect, sides, outer, palette);
    drawRing(image, {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1}, sides, inner, palette);

    if (!(flags & EdgeFlag::Adjust))
        return;
    // The frame's width counts every border the edge asks for, drawn or not.
    const int width = ((edge & (Edge::RaisedOuter | Edge::SunkenOuter)) ? 1 : 0)
        + ((edge & (Edge::RaisedInner | Edge::SunkenInner)) ? 1 : 0);
    if (sides & EdgeFlag::Left)
        rect.left += width;
    if (sides & EdgeFlag::Top)
        rect.top += width;
    if (sides & EdgeFlag::Right)
        rect.right -= width;
    if (sides & EdgeFlag::Bottom)
        rect.bottom -= width;
}

void drawFocusRect(QImage &image, const Rect &rect, QRgb backColour)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    const QRgb invert = backColour & 0x00FFFFFF;
    const auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0 && image.valid(x, y)) {
            QRgb &pixel = reinterpret_cast<QRgb *>(image.scanLine(y))[x];
            pixel ^= invert;
        }
    };
    for (int x = rect.left; x < rect.right; ++x) {
        dot(x, rect.top);
        if (rect.bottom - 1 > rect.top)
            dot(x, rect.bottom - 1);
    }
    for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
        dot(rect.left, y);
        if (rect.right - 1 > rect.left)
            dot(rect.right - 1, y);
    }
}

} // namespace buttonex
