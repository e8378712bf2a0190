// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace runtime {

namespace {

struct Substitute {
    const char *family;
    const char *candidates[4]; // best first; unused entries are null
    bool symbol;
};

// Fonts with matching metrics come first. "MS Sans Serif" was a narrow
// bitmap face: a narrow sans keeps "00:00:00" inside the time labels.
// DejaVu Sans carries the geometric and zodiac symbols the symbol font's
// captions need.
constexpr Substitute substitutes[] = {
    {"Arial", {"Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans"}, false},
    {"MS Sans Serif", {"Nimbus Sans Narrow", "Liberation Sans Narrow", "DejaVu Sans Condensed", "DejaVu Sans"}, false},
    {"Small Fonts", {"DejaVu Sans", "Liberation Sans", "Nimbus Sans", nullptr}, false},
    {"Wingdings", {"DejaVu Sans", "Noto Sans Symbols 2", "Symbola", nullptr}, true},
};

const Substitute *substituteFor(const QString &family)
{
    for (const Substitute &s : substitutes) {
        if (family.compare(QLatin1String(s.family), Qt::CaseInsensitive) == 0)
            return &s;
    }
    return nullptr;
}

} // namespace

QString installedFamilyFor(const QString &family)
{
    const Substitute *substitute = substituteFor(family);
    if (!substitute || QFontDatabase::hasFamily(family))
        return family;
    for (const char *candidate : substitute->candidates) {
        if (candidate && QFontDatabase::hasFamily(QLatin1String(candidate)))
            return QLatin1String(candidate);
    }
    return family;
}

bool isSymbolFamily(const QString &family)
{
    const Substitute *substitute = substituteFor(family);
    return substitute && substitute->symbol;
}

void installFontSubstitutes()
{
    for (const Substitute &s : substitutes) {
        const QString family = QLatin1String(s.family);
        if (QFontDatabase::hasFamily(family))
            continue;
        QStringList candidates;
        for (const char *candidate : s.candidates) {
            if (candidate)
                candidates.append(QLatin1String(candidate));
        }
        QFont::insertSubstitutions(family, candidates);
    }
}

} // namespace runtime
