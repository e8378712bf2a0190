// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>

// The notification-area record in its first, ANSI form, as the notification
// area reads it: 88 bytes, integers little-endian.
//
//   0 size (88)   4 window   8 icon identifier   12 flags   16 callback message
//   20 icon handle   24 tip: 64 ANSI bytes
struct NotifyIconDataA {
    static constexpr std::uint32_t Size = 88;
    static constexpr qsizetype TipLength = 64;

    // Which of the fields an add or modify sets.
    enum Flag : std::uint32_t { NIF_MESSAGE = 1, NIF_ICON = 2, NIF_TIP = 4 };

    std::uint32_t cbSize = Size;
    std::uint32_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::uint32_t hIcon = 0;
    QByteArray szTip = QByteArray(TipLength, '\0'); // cut or padded with NULs to 64 bytes

    QByteArray toBytes() const;
    // Nothing unless the bytes hold a whole record whose size field reads 88.
    static std::optional<NotifyIconDataA> fromBytes(QByteArrayView bytes);

    // The tip as shown: the text up to its first NUL, at most 64 characters.
    QString tip() const;
};
