// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessKey.h"

namespace buttonex {

std::optional<QString> accessKeyOf(const QString &caption)
{
    qsizetype hit = caption.indexOf(u'&');
    while (hit >= 0) {
        if (hit + 1 >= caption.size())
            return QString();
        if (caption[hit + 1] != u'&')
            return QString(caption[hit + 1]);
        hit = caption.indexOf(u'&', hit + 2);
    }
    return std::nullopt;
}

ShownCaption shownCaption(const QString &caption)
{
    ShownCaption shown;
    shown.text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') {
            shown.text += caption[i];
            continue;
        }
        if (++i >= caption.size())
            break;
        if (caption[i] != u'&' && shown.underlined < 0)
            shown.underlined = shown.text.size();
        shown.text += caption[i];
    }
    return shown;
}

} // namespace buttonex
