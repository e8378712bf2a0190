// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlaylistFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUrl>

#include <map>

namespace playlist {

namespace {

// Far beyond any real playlist; keeps a mistaken multi-gigabyte file from
// being read into memory.
constexpr qint64 MaxPlaylistBytes = 64 * 1024 * 1024;
constexpr qint64 ReadStepBytes = 64 * 1024;

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString withoutTrailingSpaces(QStringView line)
{
    qsizetype end = line.size();
    while (end > 0 && line[end - 1] == u' ')
        --end;
    return line.first(end).toString();
}

QStringList plainEntries(QStringView text)
{
    QStringList entries;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r')
            continue;
        entries.append(withoutTrailingSpaces(text.sliced(start, i - start)));
        if (i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        entries.append(withoutTrailingSpaces(text.sliced(start)));
    return entries;
}

// INI files end their lines any way their writer liked.
QList<QStringView> iniLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.sliced(start));
    return lines;
}

bool isIniSection(QStringView line)
{
    return line.startsWith(u'[') && line.endsWith(u']');
}

bool isIniPlaylist(QStringView text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start].isSpace())
        ++start;
    qsizetype end = start;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    return text.sliced(start, end - start).trimmed().compare(u"[playlist]", Qt::CaseInsensitive) == 0;
}

bool isControl(char16_t u)
{
    return u < 0x20 || u == 0x7F;
}

// Paths hold no NUL and no control characters but the tab.
bool isPathText(QStringView path)
{
    for (const QChar c : path) {
        if (isControl(c.unicode()) && c != u'\t')
            return false;
    }
    return true;
}

// Other players write FileN entries relative to the playlist's own folder, or as file: URLs.
QString iniEntryPath(const QString &entry, const QString &folder)
{
    if (entry.startsWith(u"file://", Qt::CaseInsensitive)) {
        // A URL that names no path a list can hold (none at all, or one with a
        // control character such as %00 or %0D) stays as written.
        const QString local = QUrl(entry).toLocalFile();
        return local.isEmpty() || !isPathText(local) ? entry : nativePath(local);
    }
    if (folder.isEmpty() || entry.isEmpty() || !QDir::isRelativePath(entry))
        return entry;
    return nativePath(QDir::cleanPath(QDir(folder).filePath(entry)));
}

QStringList iniEntries(QStringView text, const QString &folder)
{
    std::map<qulonglong, QString> files;
    bool inPlaylistSection = false;
    for (QStringView line : iniLines(text)) {
        line = line.trimmed();
        if (isIniSection(line)) {
            inPlaylistSection = line.compare(u"[playlist]", Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inPlaylistSection || eq < 0)
            continue;
        const QStringView key = line.first(eq).trimmed();
        if (!key.startsWith(u"file", Qt::CaseInsensitive))
            continue;
        bool isNumber = false;
        const qulonglong n = key.sliced(4).toULongLong(&isNumber);
        if (isNumber && n > 0)
            files[n] = line.sliced(eq + 1).trimmed().toString();
    }
    QStringList entries;
    entries.reserve(qsizetype(files.size()));
    for (const auto &[n, file] : files)
        entries.append(iniEntryPath(file, folder));
    return entries;
}

// A run of three upper-half letters is a word of Cyrillic; Western names have their accented
// letters among plain ones.
bool looksCyrillic(const QByteArray &bytes)
{
    int run = 0;
    for (const char byte : bytes) {
        run = static_cast<unsigned char>(byte) >= 0xC0 ? run + 1 : 0;
        if (run >= 3)
            return true;
    }
    return false;
}

// UTF-8 where the bytes are valid UTF-8 (or carry a Unicode byte order mark);
// otherwise the 8-bit code page the playlist was most likely written in. A
// text editor's end-of-file mark is not part of the text.
QString decodeText(QByteArray bytes)
{
    if (bytes.endsWith('\x1A'))
        bytes.chop(1);
    if (const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes))
        return QStringDecoder(*marked, QStringConverter::Flag::Stateless).decode(bytes);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder codePage(looksCyrillic(bytes) ? "windows-1251" : "windows-1252");
    // Without a converter for the code page its first half is still Latin-1's.
    return codePage.isValid() ? QString(codePage.decode(bytes)) : QString::fromLatin1(bytes);
}

// The paths and the line ends between them.
bool isText(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (isControl(u) && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f')
            return false;
    }
    return true;
}

PlaylistReadResult readFailure(const QString &path, const QString &reason)
{
    return {false, {}, QStringLiteral("Cannot read the playlist \"%1\": %2.").arg(nativePath(path), reason)};
}

bool endsWithAny(const QString &path, std::initializer_list<QStringView> endings)
{
    for (QStringView ending : endings) {
        if (path.endsWith(ending, Qt::CaseSensitive))
            return true;
    }
    return false;
}

QStringList parseText(QStringView text, const QString &folder)
{
    // An editor's byte order mark is not part of the first path.
    if (text.startsWith(QChar::ByteOrderMark))
        text = text.sliced(1);
    return isIniPlaylist(text) ? iniEntries(text, folder) : plainEntries(text);
}

} // namespace

QStringList parsePlaylist(const QByteArray &bytes, const QString &folder)
{
    return parseText(decodeText(bytes), folder);
}

PlaylistReadResult readPlaylist(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return readFailure(path, QStringLiteral("the file does not exist"));
    if (info.isDir())
        return readFailure(path, QStringLiteral("it is a folder"));
    // A pipe or a device would block or never end.
    if (!info.isFile())
        return readFailure(path, QStringLiteral("it is not a regular file"));
    if (info.size() > MaxPlaylistBytes)
        return readFailure(path, QStringLiteral("the file is too large for a playlist (%1 bytes)").arg(info.size()));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return readFailure(path, file.errorString());
    // In steps: a buffer of the limit's size for every read would cost more
    // than the list, and a file that grew past the limit is still caught.
    QByteArray bytes;
    while (bytes.size() <= MaxPlaylistBytes) {
        const QByteArray step = file.read(ReadStepBytes);
        if (step.isEmpty())
            break;
        bytes += step;
    }
    if (file.error() != QFileDevice::NoError)
        return readFailure(path, file.errorString());
    if (bytes.size() > MaxPlaylistBytes)
        return readFailure(path, QStringLiteral("the file is too large for a playlist"));
    const QString text = decodeText(bytes);
    if (!isText(text))
        return readFailure(path, QStringLiteral("it is not a text file"));
    return {true, parseText(text, info.absolutePath()), {}};
}

bool writePlaylist(const QString &path, const QStringList &entries, QString *error)
{
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("Cannot write the playlist \"%1\": %2.").arg(nativePath(path), reason);
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("no file name is given"));
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("it is a folder"));

    QByteArray bytes;
    for (const QString &entry : entries) {
        bytes += entry.toLocal8Bit();
        bytes += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool isPlaylistName(const QString &path)
{
    return endsWithAny(path, {u".pls", u".PLS", u"pls\"", u"PLS\""});
}

bool isBrowserPlaylistName(const QString &path)
{
    return endsWithAny(path, {u"pls", u"PLS"});
}

bool isAddAllPlaylistName(const QString &path)
{
    return path.endsWith(u"pls", Qt::CaseSensitive);
}

bool isBrowserMediaName(const QString &path)
{
    return endsWithAny(path,
                       {u".AVI", u".ASF", u".MPG", u".MPE", u".WMV", u".DIVX", u".DAT", u".MPEG", u".avi", u".asf",
                        u".mpg", u".mpe", u".wmv", u".divx", u".dat", u".mpeg"});
}

} // namespace playlist
