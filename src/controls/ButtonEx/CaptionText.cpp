// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaptionText.h"

#include "AccessKey.h"
#include "runtime/Colour.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextOption>

namespace buttonex {

namespace {

void drawShown(QPainter &painter, QPoint topLeft, const ShownCaption &shown, const FaceFont &font, bool right,
               QColor colour)
{
    const QFontMetrics metrics(font.font());
    const QString glyphs = font.glyphs(shown.text);
    const QRect box(topLeft, QSize(metrics.horizontalAdvance(glyphs), metrics.height()));
    painter.setPen(colour);
    if (right) {
        QTextOption option(Qt::AlignRight | Qt::AlignTop);
        option.setTextDirection(Qt::RightToLeft);
        option.setWrapMode(QTextOption::NoWrap);
        painter.drawText(QRectF(box), glyphs, option);
    } else {
        painter.drawText(QPoint(box.left(), box.top() + metrics.ascent()), glyphs);
    }
    if (shown.underlined < 0)
        return;
    const int before = metrics.horizontalAdvance(font.glyphs(shown.text.left(shown.underlined)));
    const int width = metrics.horizontalAdvance(font.glyphs(shown.text.mid(shown.underlined, 1)));
    const int y = box.top() + metrics.ascent() + metrics.underlinePos();
    painter.fillRect(QRect(box.left() + before, y, width, qMax(1, metrics.lineWidth())), colour);
}

} // namespace

QSize measureCaption(const QString &caption, const FaceFont &font)
{
    const QFontMetrics metrics(font.font());
    return {metrics.horizontalAdvance(font.glyphs(caption)), metrics.height()};
}

void drawCaption(QImage &image, QPoint topLeft, const QString &caption, const FaceFont &font, QColor colour,
                 unsigned state, const QPalette &palette)
{
    const ShownCaption shown = shownCaption(caption);
    if (shown.text.isEmpty())
        return;
    QPainter painter(&image);
    painter.setFont(font.font());
    const bool right = state & CaptionState::Right;
    if (state & CaptionState::Disabled) {
        // Embossed: a highlight one pixel down and right, the shadow on top.
        drawShown(painter, topLeft + QPoint(1, 1), shown, font, right,
                  runtime::resolveColour(runtime::SystemColour::ButtonHighlight, palette));
        drawShown(painter, topLeft, shown, font, right,
                  runtime::resolveColour(runtime::SystemColour::ButtonShadow, palette));
        return;
    }
    drawShown(painter, topLeft, shown, font, right, colour);
}

} // namespace buttonex
