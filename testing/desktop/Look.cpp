// SPDX-License-Identifier: GPL-3.0-or-later
#include "Look.h"

#include "Xcb.h"

#include <cmath>

namespace desktop {

namespace {

// Clearly brighter than black, on the grey scale of qGray.
constexpr int LitGrey = 40;
constexpr double PictureLit = 0.25;

double litShare(const QImage &image, const QRect &area)
{
    const QRect inside = area.intersected(image.rect());
    const int samples = ((inside.width() + 1) / 2) * ((inside.height() + 1) / 2);
    return samples > 0 ? double(litPixels(image, inside)) / samples : 0.0;
}

} // namespace

QImage grab(xcb_connection_t *c, xcb_drawable_t drawable, const QRect &area)
{
    const Reply<xcb_get_image_reply_t> image = reply(xcb_get_image_reply(
        c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, std::int16_t(area.x()), std::int16_t(area.y()),
                      std::uint16_t(area.width()), std::uint16_t(area.height()), ~0U),
        nullptr));
    // 32 bits a pixel in a true-colour visual of depth 24: the pixels as QImage's RGB32 holds them.
    if (!image || image->depth != 24 || xcb_get_image_data_length(image.get()) != area.width() * area.height() * 4)
        return {};
    return QImage(xcb_get_image_data(image.get()), area.width(), area.height(), QImage::Format_RGB32).copy();
}

int litPixels(const QImage &image, const QRect &area)
{
    int lit = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); y += 2) {
        for (int x = inside.left(); x <= inside.right(); x += 2) {
            if (qGray(image.pixel(x, y)) > LitGrey)
                ++lit;
        }
    }
    return lit;
}

bool showsPicture(const QImage &image, const QRect &area)
{
    return litShare(image, area) >= PictureLit;
}

double Look::distance(const Look &other) const
{
    double sum = 0;
    for (std::size_t i = 0; i < cells.size(); ++i)
        sum += std::abs(cells[i] - other.cells[i]);
    return sum / double(cells.size());
}

Look lookOf(const QImage &image)
{
    Look look;
    std::array<int, Look::Columns * Look::Rows> counts {};
    for (int y = 0; y < image.height(); ++y) {
        const int row = y * Look::Rows / image.height();
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int cell = row * Look::Columns + x * Look::Columns / image.width();
            ++counts[cell];
            look.cells[cell * 3] += qRed(pixels[x]);
            look.cells[cell * 3 + 1] += qGreen(pixels[x]);
            look.cells[cell * 3 + 2] += qBlue(pixels[x]);
        }
    }
    for (std::size_t cell = 0; cell < counts.size(); ++cell) {
        for (int channel = 0; channel < 3; ++channel)
            look.cells[cell * 3 + channel] /= std::max(counts[cell], 1);
    }
    look.lit = litShare(image, image.rect());
    return look;
}

std::optional<Look> lookAt(xcb_connection_t *c, const QRect &area)
{
    const QImage image = grab(c, rootOf(c), area);
    return image.isNull() ? std::nullopt : std::optional(lookOf(image));
}

bool Look::showsPicture() const
{
    return lit >= PictureLit;
}

std::vector<int> greyRow(xcb_connection_t *c, int x, int y, int width)
{
    const QImage image = grab(c, rootOf(c), QRect(x, y, width, 1));
    std::vector<int> row;
    for (int i = 0; i < image.width(); ++i)
        row.push_back(qGray(image.pixel(i, 0)));
    return row;
}

} // namespace desktop
