// SPDX-License-Identifier: GPL-3.0-or-later
#include "NotifyIconData.h"

#include "platform/AnsiCodePage.h"

void NotifyIconData::setTip(const QString &text)
{
    szTip = (text + QChar(u'\0')).leftJustified(TipLength, u' ', true);
}

NotifyIconDataA NotifyIconData::toAnsi() const
{
    NotifyIconDataA data;
    data.cbSize = cbSize;
    data.hWnd = hWnd;
    data.uID = uID;
    data.uFlags = uFlags;
    data.uCallbackMessage = uCallbackMessage;
    data.hIcon = hIcon;
    data.szTip = AnsiCodePage::fromUnicode(szTip);
    return data;
}

void NotifyIconData::tipFromAnsi(const NotifyIconDataA &data)
{
    szTip = AnsiCodePage::toUnicode(data.szTip);
}
