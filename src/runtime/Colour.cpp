// SPDX-License-Identifier: GPL-3.0-or-later
#include "Colour.h"

#include <QGuiApplication>

namespace runtime {

namespace {

// Indices of the system colour table and the palette roles that stand for them.
QColor systemColour(unsigned index, const QPalette &palette)
{
    switch (index) {
    case 0x01: // desktop
    case 0x02: // active caption
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 0x05: // window
        return palette.color(QPalette::Active, QPalette::Base);
    case 0x06: // window frame
        return palette.color(QPalette::Active, QPalette::Shadow);
    case 0x07: // menu text
    case 0x08: // window text
        return palette.color(QPalette::Active, QPalette::Text);
    case 0x04: // menu
    case 0x0F: // button face
        return palette.color(QPalette::Active, QPalette::Button);
    case 0x0D: // highlight
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 0x0E: // highlight text
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 0x10: // button shadow
        return palette.color(QPalette::Active, QPalette::Dark);
    case 0x11: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 0x12: // button text
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case 0x14: // button highlight
        return palette.color(QPalette::Active, QPalette::Light);
    case 0x15: // 3-D dark shadow
        return palette.color(QPalette::Active, QPalette::Shadow);
    case 0x16: // 3-D light
        return palette.color(QPalette::Active, QPalette::Midlight);
    case 0x17: // tool tip text
        return palette.color(QPalette::Active, QPalette::ToolTipText);
    case 0x18: // tool tip back
        return palette.color(QPalette::Active, QPalette::ToolTipBase);
    default:
        return Qt::black;
    }
}

} // namespace

QColor resolveColour(OleColor colour, const QPalette &palette)
{
    if (isSystemColour(colour))
        return systemColour(colour & 0xFFu, palette);
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

OleColor toOleColor(const QColor &colour)
{
    return bgr(colour.red(), colour.green(), colour.blue());
}

} // namespace runtime
