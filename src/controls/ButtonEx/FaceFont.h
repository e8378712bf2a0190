// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

// The font a caption is drawn in. Saved faces name fonts of another desktop
// ("Arial", "Small Fonts", the symbol font "Wingdings"); where one is not
// installed an installed font that looks the part stands in, and the symbol
// font's character codes are drawn as the Unicode symbols they stand for.

namespace buttonex {

class FaceFont
{
public:
    FaceFont() = default;
    explicit FaceFont(const QFont &requested);

    const QFont &font() const { return m_font; }
    bool mapsSymbols() const { return m_mapsSymbols; }

    // The characters to draw for a text in this font.
    QString glyphs(const QString &text) const;

private:
    QFont m_font;
    bool m_mapsSymbols = false;
};

// The Unicode character a code of the "Wingdings" symbol font stands for, or
// the code itself where there is none.
char32_t wingdingsToUnicode(char16_t code);

} // namespace buttonex
