// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// Captions mark their access key with "&"; "&&" stands for one literal ampersand.

namespace buttonex {

// The access key a caption sets: the character after the first single "&"
// (empty when that "&" ends the caption), or nothing when the caption holds no
// single "&", in which case the previous access key stays.
std::optional<QString> accessKeyOf(const QString &caption);

// A caption as it is shown: "&&" becomes "&", a single "&" disappears and the
// character after it is underlined (its index in the shown text, or -1).
struct ShownCaption {
    QString text;
    qsizetype underlined = -1;
};
ShownCaption shownCaption(const QString &caption);

} // namespace buttonex
