// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The faces name fonts of another desktop: "Arial", "MS Sans Serif", "Small
// Fonts" and the symbol font "Wingdings". Where one is not installed, an
// installed font that looks the part stands in for it.

namespace runtime {

// The installed family to draw family with: family itself when it is
// installed or has no known stand-in.
QString installedFamilyFor(const QString &family);

// True for the symbol font, whose character codes stand for symbols.
bool isSymbolFamily(const QString &family);

// Registers the stand-ins with Qt's font matching, so every widget of the
// faces draws with them. Call once at start-up.
void installFontSubstitutes();

} // namespace runtime
