// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AnsiCodePage.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(AnsiCodePage, WritesOneByteForEachCharacter)
{
    struct Case {
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {QStringLiteral("KAVEL Player"), "KAVEL Player"},
        {QStringLiteral(u"Café ÿ"), "Caf\xE9 \xFF"},
        {QStringLiteral(u"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"),
         "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E"
         "\x9F"},
        // No character of its own in the page: the C1 controls, other scripts, each half of a pair.
        {QStringLiteral(u"\u0081\u0090 Ω 日 😀"), "?? ? ? ??"},
        {QString(2, QChar(u'\0')), QByteArray(2, '\0')},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(AnsiCodePage::fromUnicode(c.text), c.bytes) << c.text.toStdString();
        EXPECT_EQ(AnsiCodePage::fromUnicode(c.text).size(), c.text.size());
    }
}

TEST(AnsiCodePage, ReadsEveryByteBackAsItsCharacter)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = AnsiCodePage::toUnicode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x41], QChar(u'A'));
    EXPECT_EQ(text[0x80], QChar(u'€'));
    EXPECT_EQ(text[0x9F], QChar(u'Ÿ'));
    EXPECT_EQ(text[0x81], QChar(0x81)); // undefined in the page
    EXPECT_EQ(text[0xE9], QChar(u'é'));
    // Every defined byte writes back as itself.
    const QByteArray again = AnsiCodePage::fromUnicode(text);
    for (int b = 0; b < 256; ++b) {
        const bool defined = b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D;
        EXPECT_EQ(quint8(again[b]), defined ? b : '?') << b;
    }
}
