// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/ButtonEx/ButtonEx.h"

#include <QImage>
#include <QPalette>
#include <QTimer>

// A palette whose system colours all differ, so that each frame line can be told apart.
inline QPalette distinctPalette()
{
    QPalette palette;
    const auto set = [&](QPalette::ColorRole role, QColor colour) {
        palette.setColor(QPalette::Active, role, colour);
        palette.setColor(QPalette::Inactive, role, colour);
    };
    set(QPalette::Button, QColor(192, 192, 192));
    set(QPalette::Light, QColor(255, 255, 255));
    set(QPalette::Midlight, QColor(223, 223, 223));
    set(QPalette::Dark, QColor(96, 96, 96));
    set(QPalette::Shadow, QColor(16, 16, 16));
    set(QPalette::ButtonText, QColor(0, 0, 0));
    set(QPalette::Base, QColor(255, 255, 240));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 20, 20));
    return palette;
}

inline QColor role(const QPalette &palette, QPalette::ColorRole r)
{
    return palette.color(QPalette::Active, r);
}

// Crisp glyphs, so that text pixels carry exactly the colour they were drawn in.
inline QFont crispFont(int pixelSize = 12)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The main window's caption-button colours.
inline void styleAsCaptionButton(ButtonEx &button)
{
    button.setPalette(distinctPalette());
    button.setBackColor(0x808080);
    button.setForeColor(0x000000);
    button.setHighlightColor(0x404040);
    button.setFont(crispFont());
}

// Shown, so that a size change reaches the control at once rather than when it is next painted.
inline void showNow(ButtonEx &button)
{
    button.show();
}

// The face as the widget paints it.
inline QImage faceOf(ButtonEx &button)
{
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The hover-tracking timer among the control's constituents.
inline bool hoverTimerRunning(const ButtonEx &button)
{
    const auto *timer = button.findChild<QTimer *>(QStringLiteral("Timer1"), Qt::FindDirectChildrenOnly);
    return timer && timer->isActive();
}
