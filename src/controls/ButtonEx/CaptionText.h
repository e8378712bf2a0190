// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FaceFont.h"

#include <QImage>
#include <QPalette>
#include <QSize>

// Captions drawn as the platform's state drawing does with prefix text: "&"
// underlines the next character, "&&" draws one ampersand; disabled text is
// embossed; the text is drawn without a background.

namespace buttonex {

namespace CaptionState {
constexpr unsigned Disabled = 0x0020; // DSS_DISABLED
constexpr unsigned Right = 0x8000; // DSS_RIGHT
} // namespace CaptionState

// The caption as stored (ampersands included), measured in pixels.
QSize measureCaption(const QString &caption, const FaceFont &font);

void drawCaption(QImage &image, QPoint topLeft, const QString &caption, const FaceFont &font, QColor colour,
                 unsigned state, const QPalette &palette);

} // namespace buttonex
