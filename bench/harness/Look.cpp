// SPDX-License-Identifier: GPL-3.0-or-later
#include "Look.h"

#include "Desk.h"

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

using ImageReply = std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)>;

// A 24-bit screen gives 32 bits a pixel, blue first.
ImageReply grab(const Desk &desk, const QRect &area)
{
    xcb_connection_t *c = desk.connection();
    ImageReply reply {xcb_get_image_reply(c,
                                          xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, desk.root(),
                                                        std::int16_t(area.x()), std::int16_t(area.y()),
                                                        std::uint16_t(area.width()), std::uint16_t(area.height()), ~0u),
                                          nullptr),
                      &std::free};
    if (reply && xcb_get_image_data_length(reply.get()) < area.width() * area.height() * 4)
        reply.reset();
    return reply;
}

int grey(const std::uint8_t *pixel)
{
    return (pixel[2] * 11 + pixel[1] * 16 + pixel[0] * 5) / 32; // as qGray
}

} // namespace

double Look::distance(const Look &other) const
{
    double sum = 0;
    for (std::size_t i = 0; i < cells.size(); ++i)
        sum += std::abs(cells[i] - other.cells[i]);
    return sum / double(cells.size());
}

std::optional<Look> lookAt(const Desk &desk, const QRect &area)
{
    const ImageReply image = grab(desk, area);
    if (!image)
        return std::nullopt;
    const std::uint8_t *data = xcb_get_image_data(image.get());
    Look look;
    std::array<int, Look::Columns * Look::Rows> counts {};
    int lit = 0;
    for (int y = 0; y < area.height(); ++y) {
        const int row = y * Look::Rows / area.height();
        for (int x = 0; x < area.width(); ++x) {
            const std::uint8_t *pixel = data + (y * area.width() + x) * 4;
            lit += grey(pixel) > 40;
            const int cell = row * Look::Columns + x * Look::Columns / area.width();
            ++counts[cell];
            for (int channel = 0; channel < 3; ++channel)
                look.cells[cell * 3 + channel] += pixel[2 - channel];
        }
    }
    for (std::size_t cell = 0; cell < counts.size(); ++cell) {
        for (int channel = 0; channel < 3; ++channel)
            look.cells[cell * 3 + channel] /= std::max(counts[cell], 1);
    }
    look.lit = double(lit) / double(area.width() * area.height());
    return look;
}

std::vector<int> greyRow(const Desk &desk, int x, int y, int width)
{
    const ImageReply image = grab(desk, QRect(x, y, width, 1));
    std::vector<int> row;
    if (!image)
        return row;
    const std::uint8_t *data = xcb_get_image_data(image.get());
    for (int i = 0; i < width; ++i)
        row.push_back(grey(data + i * 4));
    return row;
}
