// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/NotifyIconDataA.h"

#include <QString>

#include <cstdint>

// The record the icon control hands to the notification area on every call.
// Its tip is kept as 64 characters of text and converted to the ANSI code
// page for each call (toAnsi), then read back from what the call was given
// (tipFromAnsi), so a character the page cannot hold reads as '?' afterwards.
struct NotifyIconData {
    static constexpr qsizetype TipLength = NotifyIconDataA::TipLength;

    std::uint32_t cbSize = 0;
    std::uint32_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    std::uint32_t hIcon = 0;
    QString szTip = QString(TipLength, QChar(u'\0'));

    // The text, one NUL, then spaces up to 64 characters; a longer text is
    // cut at 64 and keeps no NUL.
    void setTip(const QString &text);

    NotifyIconDataA toAnsi() const;
    void tipFromAnsi(const NotifyIconDataA &data);
};
