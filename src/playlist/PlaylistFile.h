// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The .pls playlist file: plain 8-bit text, one path per line, CR LF after
// every entry. Every place that reads or writes a playlist goes through here.
//
// Reading: a line ends at CR or CR LF, never at a lone LF; trailing spaces are
// dropped, everything else stays; an empty line is an empty entry. Files other
// players write as INI ("[playlist]", "File1=...") give their FileN values in
// order of N, relative ones taken from the playlist's folder.
//
// The text is UTF-8 where it is valid UTF-8 (or Unicode with a byte order
// mark); otherwise it was written in a Windows code page: Cyrillic (1251)
// where words of upper-half letters stand together, else Western (1252).
// Writing uses the system's 8-bit encoding.

namespace playlist {

struct PlaylistReadResult {
    bool ok = false;
    QStringList entries;
    QString error; // names the file and the reason when !ok
};

// Reads the whole file before returning, so a caller appends all of it or
// nothing.
PlaylistReadResult readPlaylist(const QString &path);

// The entries held by the bytes of a playlist file (either form); folder is
// the playlist's own, where relative INI entries are found.
QStringList parsePlaylist(const QByteArray &bytes, const QString &folder = {});

// Writes the entries to path through a temporary file that replaces the old
// one only once complete. Returns false and sets *error (naming the path and
// the reason) on failure; an existing file is then left as it was.
bool writePlaylist(const QString &path, const QStringList &entries, QString *error);

// Which names count as playlists depends on where the name comes from; each
// test looks only at the end of the text, with exactly this case.

// Command line and Open dialog: ".pls" or ".PLS", or "pls"/"PLS" followed by a double quote.
bool isPlaylistName(const QString &path);
// Double-click in the file browser: "pls" or "PLS".
bool isBrowserPlaylistName(const QString &path);
// "Add All" in the file browser: "pls", lower case only.
bool isAddAllPlaylistName(const QString &path);
// Double-click in the file browser: the media extensions, all upper case or all lower case.
bool isBrowserMediaName(const QString &path);

} // namespace playlist
