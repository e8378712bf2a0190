// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit code page that the platform's "A" calls read and write text in:
// Windows-1252, a superset of Latin-1. One byte per UTF-16 unit, so a text
// keeps its length; a character the page cannot hold becomes '?'.
class AnsiCodePage
{
public:
    static QByteArray fromUnicode(QStringView text);
    static QString toUnicode(QByteArrayView bytes);
};
