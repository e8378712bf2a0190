// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ButtonEx/FaceFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QRawFont>

#include <gtest/gtest.h>

using buttonex::FaceFont;
using buttonex::wingdingsToUnicode;

TEST(FaceFont, SymbolCodesOfTheCaptionButtonsMapToTheirSymbols)
{
    EXPECT_EQ(wingdingsToUnicode(u'o'), U'\u25A1'); // white square: maximize
    EXPECT_EQ(wingdingsToUnicode(u'i'), U'\u2653'); // the full-screen glyph
    EXPECT_EQ(wingdingsToUnicode(u'l'), U'\u25CF');
    EXPECT_EQ(wingdingsToUnicode(0xFC), U'\u2714');
    EXPECT_EQ(wingdingsToUnicode(u' '), U' ');
    EXPECT_EQ(wingdingsToUnicode(0xFF), char32_t(0xFF)); // no equivalent: kept
    EXPECT_EQ(wingdingsToUnicode(0x263A), char32_t(0x263A)); // outside the font's codes
}

TEST(FaceFont, MissingSymbolFontDrawsTheSymbolsInAnInstalledFont)
{
    if (QFontDatabase::hasFamily(QStringLiteral("Wingdings")))
        GTEST_SKIP() << "the symbol font is installed and draws its own codes";
    QFont requested(QStringLiteral("Wingdings"));
    requested.setPointSizeF(8.25);
    const FaceFont face(requested);
    EXPECT_TRUE(face.mapsSymbols());
    EXPECT_TRUE(QFontDatabase::hasFamily(face.font().family())) << face.font().family().toStdString();
    EXPECT_EQ(face.font().pointSizeF(), 8.25);
    EXPECT_EQ(face.glyphs(QStringLiteral("o")), QStringLiteral("\u25A1"));
    EXPECT_EQ(face.glyphs(QStringLiteral("i")), QStringLiteral("\u2653"));
    // The symbol is really drawable with the stand-in, not a missing-glyph box.
    EXPECT_TRUE(QFontMetrics(face.font()).inFontUcs4(0x25A1));
    EXPECT_TRUE(QFontMetrics(face.font()).inFontUcs4(0x2653));
    // Characters outside the basic plane survive as surrogate pairs.
    EXPECT_EQ(face.glyphs(QStringLiteral("!")).toUcs4(), QList<uint> {0x1F589});
}

TEST(FaceFont, MissingTextFontsGetAnInstalledSansAndKeepTheirText)
{
    for (const char *family : {"Arial", "Small Fonts", "MS Sans Serif"}) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(family)))
            continue;
        QFont requested(QString::fromLatin1(family));
        requested.setPointSizeF(6.75);
        const FaceFont face(requested);
        EXPECT_FALSE(face.mapsSymbols()) << family;
        EXPECT_TRUE(QFontDatabase::hasFamily(face.font().family())) << family;
        EXPECT_EQ(face.font().pointSizeF(), 6.75) << family;
        EXPECT_EQ(face.glyphs(QStringLiteral("X")), QStringLiteral("X")) << family;
    }
}

TEST(FaceFont, InstalledFontsAreUsedAsTheyAre)
{
    const QFont requested(QStringLiteral("DejaVu Sans"), 10, QFont::Bold);
    const FaceFont face(requested);
    EXPECT_EQ(face.font(), requested);
    EXPECT_FALSE(face.mapsSymbols());
}
