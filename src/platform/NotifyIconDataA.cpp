// SPDX-License-Identifier: GPL-3.0-or-later
#include "NotifyIconDataA.h"

#include "AnsiCodePage.h"

#include <QtEndian>

namespace {

constexpr qsizetype TipOffset = 24;

void appendWord(QByteArray &bytes, std::uint32_t value)
{
    char word[4];
    qToLittleEndian(value, word);
    bytes.append(word, 4);
}

std::uint32_t wordAt(QByteArrayView bytes, qsizetype offset)
{
    return qFromLittleEndian<std::uint32_t>(bytes.data() + offset);
}

} // namespace

QByteArray NotifyIconDataA::toBytes() const
{
    QByteArray bytes;
    bytes.reserve(Size);
    for (const std::uint32_t word : {cbSize, hWnd, uID, uFlags, uCallbackMessage, hIcon})
        appendWord(bytes, word);
    bytes.append(szTip.left(TipLength));
    bytes.append(TipLength - qMin(szTip.size(), TipLength), '\0');
    return bytes;
}

std::optional<NotifyIconDataA> NotifyIconDataA::fromBytes(QByteArrayView bytes)
{
    if (bytes.size() < qsizetype(Size) || wordAt(bytes, 0) != Size)
        return std::nullopt;
    NotifyIconDataA data;
    data.hWnd = wordAt(bytes, 4);
    data.uID = wordAt(bytes, 8);
    data.uFlags = wordAt(bytes, 12);
    data.uCallbackMessage = wordAt(bytes, 16);
    data.hIcon = wordAt(bytes, 20);
    data.szTip = bytes.sliced(TipOffset, TipLength).toByteArray();
    return data;
}

QString NotifyIconDataA::tip() const
{
    const QByteArrayView field = QByteArrayView(szTip).first(qMin(szTip.size(), TipLength));
    const qsizetype end = field.indexOf('\0');
    return AnsiCodePage::toUnicode(end < 0 ? field : field.first(end));
}
