// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/NotifyIconDataA.h"

#include <QByteArray>

#include <cstdint>

// A notification icon's record as the icon control fills it: identifier 1, every flag, the
// mouse-move callback, and the tip with its NUL and space padding.
inline NotifyIconDataA iconRecord(std::uint32_t hWnd, const QByteArray &tip, std::uint32_t hIcon)
{
    NotifyIconDataA data;
    data.hWnd = hWnd;
    data.uID = 1;
    data.uFlags = NotifyIconDataA::NIF_MESSAGE | NotifyIconDataA::NIF_ICON | NotifyIconDataA::NIF_TIP;
    data.uCallbackMessage = 0x0200;
    data.hIcon = hIcon;
    data.szTip = tip + QByteArray(1, '\0') + QByteArray(63 - tip.size(), ' ');
    return data;
}
