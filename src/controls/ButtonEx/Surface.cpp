// SPDX-License-Identifier: GPL-3.0-or-later
#include "Surface.h"

#include <algorithm>

namespace buttonex {

Surface::Surface(QSize size, runtime::OleColor backColour, runtime::OleColor foreColour, const QPalette &palette)
    : m_image(size, QImage::Format_RGB32)
    , m_backColour(backColour)
    , m_foreColour(foreColour)
{
    clear(palette);
}

DeviceContext Surface::deviceContext(const QPalette &palette)
{
    return {&m_image, runtime::resolveColour(m_foreColour, palette).rgb(),
            runtime::resolveColour(m_backColour, palette).rgb()};
}

void Surface::setBackColour(runtime::OleColor colour, const QPalette &palette)
{
    m_backColour = colour;
    clear(palette);
}

void Surface::clear(const QPalette &palette)
{
    if (!m_image.isNull())
        m_image.fill(runtime::resolveColour(m_backColour, palette));
}

void Surface::ensureSize(QSize size, const QPalette &palette)
{
    const QSize grown = m_image.size().expandedTo(size);
    if (grown == m_image.size())
        return;
    QImage larger(grown, QImage::Format_RGB32);
    larger.fill(runtime::resolveColour(m_backColour, palette));
    for (int y = 0; y < m_image.height(); ++y)
        std::copy_n(reinterpret_cast<const QRgb *>(m_image.constScanLine(y)), m_image.width(),
                    reinterpret_cast<QRgb *>(larger.scanLine(y)));
    m_image = std::move(larger);
}

void Surface::setPicture(const runtime::Picture &picture)
{
    m_picture = picture;
    m_image = picture.handle() ? picture.image().convertToFormat(QImage::Format_RGB32) : QImage();
}

} // namespace buttonex
