// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnsiCodePage.h"

#include <array>

namespace {

// The characters at 0x80..0x9F; the five bytes the page leaves undefined read
// as the control characters of the same number.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encode(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (std::size_t i = 0; i < High.size(); ++i) {
        // The undefined bytes are not written: the page has no character for them.
        if (High[i] == unit && !(unit >= 0x80 && unit <= 0x9F))
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray AnsiCodePage::fromUnicode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes.append(encode(c.unicode()));
    return bytes;
}

QString AnsiCodePage::toUnicode(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text.append(QChar(b >= 0x80 && b <= 0x9F ? High[b - 0x80] : char16_t(b)));
    }
    return text;
}
