// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonEx.h"

#include "CaptionText.h"
#include "EdgeDrawing.h"
#include "SurfaceGraphics.h"
#include "runtime/Nearest.h"

#include <QPainter>

#include <algorithm>

using namespace buttonex;

void ButtonEx::DrawButton(std::int32_t State)
{
    const QPalette &pal = palette();
    const int W = width();
    const int H = height();
    if (m_face.size() != QSize(W, H))
        m_face = W > 0 && H > 0 ? QImage(W, H, QImage::Format_RGB32) : QImage();
    const QRgb back = runtime::resolveColour(m_backColor, pal).rgb();
    if (m_face.isNull()) {
        m_currentState = State;
        return;
    }
    m_face.fill(back);

    bool F = m_focusShown;
    const bool U = m_userMode;
    Rect R {0, 0, W, H};
    runtime::OleColor foreColour = m_foreColor;
    const auto focusFrame = [&] {
        drawEdge(m_face, R, Edge::RaisedOuter | Edge::SunkenOuter,
                 EdgeFlag::WholeRect | EdgeFlag::Adjust | EdgeFlag::Mono, pal);
    };
    switch (State) {
    case Down:
        if (F) {
            focusFrame();
            drawEdge(m_face, R, Edge::SunkenOuter, EdgeFlag::WholeRect | EdgeFlag::Flat, pal);
        } else {
            drawEdge(m_face, R, Edge::Sunken, EdgeFlag::WholeRect, pal);
        }
        foreColour = m_highlightColor;
        break;
    case Up:
        if (m_appearance != 1) {
            F = false;
            break;
        }
        if (F)
            focusFrame();
        drawEdge(m_face, R, Edge::Raised, EdgeFlag::WholeRect, pal);
        break;
    case Hover:
        if (F)
            focusFrame();
        drawEdge(m_face, R, Edge::Raised, EdgeFlag::WholeRect, pal);
        foreColour = m_highlightColor;
        break;
    default:
        break;
    }

    const bool hasPicture = m_imgPicture.picture().handle();
    const int pictureRight = hasPicture ? m_imgPicture.position().x() + m_imgPicture.image().width() - 6 : 0;
    const QSize text = measureCaption(m_caption, m_faceFont);
    int x = pictureRight / 2 + (W / 2 - text.width() / 2);
    int y = H / 2 - text.height() / 2;
    if (State == Down) {
        ++x;
        ++y;
    }
    unsigned captionState = 0;
    if (m_enabled == runtime::False)
        captionState |= CaptionState::Disabled;
    if (m_rightToLeft != runtime::False)
        captionState |= CaptionState::Right;
    const QColor textColour = runtime::resolveColour(foreColour, pal);
    drawCaption(m_face, QPoint(x, y), m_caption, m_faceFont, textColour, captionState, pal);

    if (U && F)
        drawFocusRect(m_face, Rect {4, 4, W - 4, H - 4}, back);

    if (hasPicture) {
        const int PW = m_imgPicture.image().width();
        const int PH = m_imgPicture.image().height();
        QPoint position(6, std::max(H / 2 - PH / 2, 6));
        if (State == Down)
            position += QPoint(1, 1);
        m_imgPicture.setPosition(position);

        const DeviceContext face {&m_face, textColour.rgb(), back};
        m_pictNewPicture.clear(pal);
        const bool highlighted = State == Down || State == Hover || (State == Up && m_enabled == runtime::False);
        if (m_highlightPicture == runtime::True && highlighted) {
            const runtime::OleColor colour
                = m_enabled != runtime::False ? m_highlightColor : runtime::SystemColour::GrayText;
            PaintSilhouette(m_imgPicture, m_pictNewPicture, m_pictTempDestination, m_pictTempHighlight, colour, 0, 0, 0,
                            0, PW, PH, pal);
            DrawTransparent(face, m_pictNewPicture, position, QPoint(0, 0), PW, PH, m_pictNewPicture.backColour(), pal);
        } else {
            DrawTransparent(face, m_imgPicture, position, QPoint(0, 0), PW, PH, m_transparentColor, pal);
        }
    }

    m_currentState = State;
    update();
}

void ButtonEx::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_face);
    // Only before the first drawing (or while a size change is pending) is part of the widget not covered.
    if (m_face.width() < width() || m_face.height() < height()) {
        const QColor back = runtime::resolveColour(m_backColor, palette());
        painter.fillRect(m_face.width(), 0, width() - m_face.width(), height(), back);
        painter.fillRect(0, m_face.height(), m_face.width(), height() - m_face.height(), back);
    }
}
