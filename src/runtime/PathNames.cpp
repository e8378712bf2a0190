// SPDX-License-Identifier: GPL-3.0-or-later
#include "PathNames.h"

#include <QDir>

namespace runtime {

bool isPathSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

QString FileNameOnly(const QString &path)
{
    // The last character is always taken, even when it is a separator.
    qsizetype start = path.size() - 1;
    while (start > 0 && !isPathSeparator(path[start - 1]))
        --start;
    return start < 0 ? QString() : path.mid(start);
}

QString joinPath(const QString &folder, const QString &name)
{
    if (!folder.isEmpty() && isPathSeparator(folder.back()))
        return folder + name;
    return folder + QDir::separator() + name;
}

} // namespace runtime
