// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Path helpers shared by the player and the playlist. Both "/" and "\" count
// as separators, so playlists written on either kind of system name their
// entries correctly.

namespace runtime {

bool isPathSeparator(QChar c);

// The text after the last separator that stands before the final character: the
// file name of a full path, the last folder with its trailing separator for a
// path ending in one, and the whole text when there is no separator.
QString FileNameOnly(const QString &path);

// folder, a separator unless folder already ends with one, then name.
QString joinPath(const QString &folder, const QString &name);

} // namespace runtime
